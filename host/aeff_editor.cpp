// Defaults of the interface's editor base: everything answers false or 0 and does nothing.
#include "host/aeff_editor.h"

AEffEditor::AEffEditor(AudioEffect* effect) : effect(effect)
{ }

AEffEditor::~AEffEditor() = default;

bool AEffEditor::getRect(ERect** rect)
{
    if (rect)
        *rect = nullptr;
    return false;
}

bool AEffEditor::open(void* parentWindow)
{
    systemWindow = parentWindow;
    return false;
}

void AEffEditor::close()
{
    systemWindow = nullptr;
}

void AEffEditor::idle()
{ }

void AEffEditor::update()
{ }

void AEffEditor::postUpdate()
{ }

int AEffEditor::onKeyDown(VstKeyCode&)
{
    return 0;
}

int AEffEditor::onKeyUp(VstKeyCode&)
{
    return 0;
}

bool AEffEditor::setKnobMode(int)
{
    return false;
}

bool AEffEditor::onWheel(float)
{
    return false;
}
