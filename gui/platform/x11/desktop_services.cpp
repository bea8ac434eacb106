// The Linux desktop's dialogs and address opener as the platform's services.
#include "gui/platform/file_dialog.h"
#include "gui/platform/url_opener.h"
#include "gui/platform/x11/desktop_file_dialog.h"
#include "gui/platform/x11/xdg_url_opener.h"

std::unique_ptr<FileDialog> FileDialog::create()
{
    return std::make_unique<DesktopFileDialog>();
}

std::unique_ptr<UrlOpener> UrlOpener::create()
{
    return std::make_unique<XdgUrlOpener>();
}
