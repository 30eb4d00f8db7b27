#include "modAmbrel.h"

#include "Skin.h"

namespace modAmbrel {

void ApplyDefaultDesign(Skin &skin)
{
    skin.applyBuiltin();
}

void SetMinButtonPicture(Skin &skin, bool normal)
{
    skin.show(normal ? "SystemMinButton" : "SystemMinButtonPress");
}

void SetMaxButtonPicture(Skin &skin, bool normal, bool maximized)
{
    if (maximized)
        skin.show(normal ? "SystemBeforeButton" : "SystemBeforeButtonPress");
    else
        skin.show(normal ? "SystemMaxButton" : "SystemMaxButtonPress");
}

void SetExitButtonPicture(Skin &skin, bool normal)
{
    skin.show(normal ? "SystemExitButton" : "SystemExitButtonPress");
}

void SetBackButtonPicture(Skin &skin, bool normal)
{
    skin.show(normal ? "BackButton" : "BackButtonPress");
}

void SetForwardButtonPicture(Skin &skin, bool normal)
{
    skin.show(normal ? "ForwardButton" : "ForwardButtonPress");
}

void SetRefreshButtonPicture(Skin &skin, bool normal)
{
    skin.show(normal ? "RefreshButton" : "RefreshButtonPress");
}

void SetStopButtonPicture(Skin &skin, bool normal)
{
    skin.show(normal ? "StopButton" : "StopButtonPress");
}

} // namespace modAmbrel
