#include "modAmbrel.h"

#include "BuiltinImages.h"
#include "browser/frame/PictureControl.h"
#include "browser/startup/VorlenApp.h"
#include "browser/window/frmMain.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "platform/Settings.h"

#include <QFileInfo>

namespace modAmbrel {

namespace {

// One button's two pictures: its pack files and built-in indices.
struct StatePictures
{
    const char *normalFile;
    const char *pressedFile;
    ImageList list;
    int normalIndex;
    int pressedIndex;
};

// The pack's picture for a state when a pack is active and has the file,
// otherwise the built-in one.
void setStatePicture(VorlenApp &app, PictureControl *control, const StatePictures &pictures, bool normal)
{
    if (!control)
        return;
    const platform::Environment &env = app.environment();
    if (app.ThemePackActive && platform::setting::int16(env, settings::Key::AmbrelUseValue) == 1) {
        const QString themeName = platform::setting::text(env, settings::Key::ThemeName);
        if (platform::isSafeFileName(themeName)) {
            const QString file = platform::folders::themeFolder(env) + QLatin1Char('/') + themeName + QLatin1Char('/')
                + QLatin1String(normal ? pictures.normalFile : pictures.pressedFile);
            if (QFileInfo(file).isFile()) {
                QPixmap pixmap(file);
                if (!pixmap.isNull()) {
                    control->setPicture(pixmap);
                    return;
                }
                // A file that does not load leaves the element as it is.
                return;
            }
        }
    }
    control->setPicture(app.images().builtinPicture(pictures.list, normal ? pictures.normalIndex : pictures.pressedIndex));
}

constexpr StatePictures kMin{"SystemMinButton.gif", "SystemMinButtonPress.gif", ImageList::SystemButtonImageList, 1, 2};
constexpr StatePictures kMax{"SystemMaxButton.gif", "SystemMaxButtonPress.gif", ImageList::SystemButtonImageList, 3, 4};
constexpr StatePictures kRestore{"SystemBeforeButton.gif", "SystemBeforeButtonPress.gif",
                                 ImageList::SystemButtonImageList, 5, 6};
constexpr StatePictures kExit{"SystemExitButton.gif", "SystemExitButtonPress.gif", ImageList::SystemButtonImageList, 7, 8};
constexpr StatePictures kBack{"BackButton.gif", "BackButtonPress.gif", ImageList::ProgramToolbarImagesList, 2, 3};
constexpr StatePictures kForward{"ForwardButton.gif", "ForwardButtonPress.gif", ImageList::ProgramToolbarImagesList, 4, 5};
constexpr StatePictures kRefresh{"RefreshButton.gif", "RefreshButtonPress.gif", ImageList::ProgramToolbarImagesList, 6, 7};
constexpr StatePictures kStop{"StopButton.gif", "StopButtonPress.gif", ImageList::ProgramToolbarImagesList, 8, 9};

} // namespace

void applyBuiltinPictures(VorlenApp &app, frmMain &form)
{
    BuiltinImages &images = app.images();
    PictureControl *frame[] = {form.ProgramDesignTopLeftEdge, form.ProgramDesignTopLine,
                               form.ProgramDesignTopRightEdge, form.ProgramDesignRightLine,
                               form.ProgramDesignBottomRightEdge, form.ProgramDesignBottomLine,
                               form.ProgramDesignBottomLeftEdge, form.ProgramDesignLeftLine};
    for (int i = 0; i < 8; ++i)
        frame[i]->setPicture(images.builtinPicture(ImageList::SystemImageList, i + 1));
    form.SystemMinButton->setPicture(images.builtinPicture(ImageList::SystemButtonImageList, 1));
    form.SystemMaxButton->setPicture(images.builtinPicture(ImageList::SystemButtonImageList, 3));
    form.SystemExitButton->setPicture(images.builtinPicture(ImageList::SystemButtonImageList, 7));
    form.setConnectionPicture(1);
    form.ProgramToolbarBackgroundImage->setPicture(images.builtinPicture(ImageList::ProgramToolbarImagesList, 1));
    form.WebBrowserToolBackgroundImage->setPicture(images.builtinPicture(ImageList::ProgramToolbarImagesList, 1));
    form.BackButton->setPicture(images.builtinPicture(ImageList::ProgramToolbarImagesList, 2));
    form.ForwardButton->setPicture(images.builtinPicture(ImageList::ProgramToolbarImagesList, 4));
    form.RefreshButton->setPicture(images.builtinPicture(ImageList::ProgramToolbarImagesList, 6));
    form.StopButton->setPicture(images.builtinPicture(ImageList::ProgramToolbarImagesList, 8));
    PictureControl *side[] = {form.FavoriteButton, form.SearchButton, form.DesignModeButton,
                              form.ScriptErrorsButton, form.TaskManagerButton, form.VitrelButton,
                              form.PanovelButton, form.NotepadButton};
    for (int i = 0; i < 8; ++i)
        side[i]->setPicture(images.builtinPicture(ImageList::ProgramSidebarImagesList, i + 1));
}

void ApplyDefaultDesign(VorlenApp &app)
{
    frmMain &form = app.mainForm();
    applyBuiltinPictures(app, form);
    form.modTabStrip();
}

void SetMinButtonPicture(VorlenApp &app, bool normal)
{
    setStatePicture(app, app.mainForm().SystemMinButton, kMin, normal);
}

void SetMaxButtonPicture(VorlenApp &app, bool normal, bool maximized)
{
    setStatePicture(app, app.mainForm().SystemMaxButton, maximized ? kRestore : kMax, normal);
}

void SetExitButtonPicture(VorlenApp &app, bool normal)
{
    setStatePicture(app, app.mainForm().SystemExitButton, kExit, normal);
}

void SetBackButtonPicture(VorlenApp &app, bool normal)
{
    setStatePicture(app, app.mainForm().BackButton, kBack, normal);
}

void SetForwardButtonPicture(VorlenApp &app, bool normal)
{
    setStatePicture(app, app.mainForm().ForwardButton, kForward, normal);
}

void SetRefreshButtonPicture(VorlenApp &app, bool normal)
{
    setStatePicture(app, app.mainForm().RefreshButton, kRefresh, normal);
}

void SetStopButtonPicture(VorlenApp &app, bool normal)
{
    setStatePicture(app, app.mainForm().StopButton, kStop, normal);
}

} // namespace modAmbrel
