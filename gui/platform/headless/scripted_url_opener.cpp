// Recorded address requests.
#include "gui/platform/headless/scripted_url_opener.h"

namespace {

std::vector<std::string>& addresses()
{
    static std::vector<std::string> list;
    return list;
}

std::string& refusal()
{
    static std::string reason;
    return reason;
}

}  // namespace

std::unique_ptr<UrlOpener> UrlOpener::create()
{
    return std::make_unique<ScriptedUrlOpener>();
}

void ScriptedUrlOpener::refuseNext(const std::string& reason)
{
    refusal() = reason;
}

void ScriptedUrlOpener::reset()
{
    addresses().clear();
    refusal().clear();
}

const std::vector<std::string>& ScriptedUrlOpener::requested()
{
    return addresses();
}

UrlOpenResult ScriptedUrlOpener::open(const std::string& address, const std::function<void()>& whileWaiting)
{
    addresses().push_back(address);
    if (whileWaiting)
        whileWaiting();
    UrlOpenResult result;
    result.opened = refusal().empty();
    result.reason = refusal();
    refusal().clear();
    return result;
}
