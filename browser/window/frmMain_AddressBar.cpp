// The address bar: the address label, the address text box and the tool box at
// its right end.
#include "frmMain.h"
#include "frmMainParts.h"

#include "AddressInput.h"
#include "Design.h"
#include "Layout.h"
#include "browser/core/VorlenApp.h"
#include "browser/frame/LabelControl.h"
#include "browser/input/modDashmere.h"
#include "platform/Settings.h"

namespace {

const char *const kEmptyPrompt = "여기를 (더블 클릭) 하셔서 주소를 입력 하십시오.";

bool alwaysShowToolBox(VorlenApp &app)
{
    return platform::setting::int16(app.environment(), settings::Key::AlwaysShowWebBrowserPlusToolValue) == 1;
}

} // namespace

bool frmMain::addressEditing() const
{
    return !WebAdressInputBar->isHidden();
}

void frmMain::setAddressText(const QString &text)
{
    WebAdressBar->setText(text);
    // What the user is typing is theirs: page events only update the label.
    if (!addressEditing())
        WebAdressInputBar->setText(text);
}

void frmMain::Parts::placeToolBox(frmMain &f, bool alwaysShow)
{
    if (alwaysShow)
        f.WebBrowserToolBox->show();
    const int T = f.Width() - 250; // the tool bar's width, as the layout pass has it
    const int boxWidth = f.WebBrowserToolBox->width() * design::kTwipsPerPixel;
    f.WebBrowserToolBox->move(design::px(T - 2100), f.WebBrowserToolBox->y());
    Parts::setAddressWidth(f, layout::addressWidth(T, f.WebBrowserToolBox->isVisible(), boxWidth));
}

void frmMain::Parts::setAddressWidth(frmMain &f, int twips)
{
    // Converted as the layout pass converts it, so both agree to the pixel.
    const QRect r = design::px(QRect(design::kAddressLeft, design::kAddressTop, twips, design::kAddressHeight));
    f.WebAdressBar->setGeometry(r);
    f.WebAdressInputBar->setGeometry(r);
}

void frmMain::WebAdressBar_Click()
{
    const bool always = alwaysShowToolBox(m_app);
    if (!always)
        WebBrowserToolBox->setVisible(!WebBrowserToolBox->isVisible());
    Parts::placeToolBox(*this, always);
}

void frmMain::WebAdressBar_DblClick()
{
    if (!WebAdressBar->isVisible())
        return;
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    WebBrowserToolBox->hide();
    const int T = Width() - 250; // the tool bar's width, as the layout pass has it
    Parts::setAddressWidth(*this, T - 1750);
    m_app.afterStep().flushLayout();
    WriteTitle(m_tabs.CurrentTab());
    WriteTabCap(m_tabs.CurrentTab());
    WebAdressBar->hide();
    WebAdressInputBar->show();
    WebAdressInputBar->setFocus();
    WebAdressInputBar->end(false);
}

void frmMain::WebAdressInputBar_Change()
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    platform::WebBrowser *page = m_tabs.currentPage();
    modDashmere::RunQuickCommand(m_app.commands(), *WebAdressInputBar, page ? page->LocationURL() : QString());
}

void frmMain::WebAdressInputBar_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift, bool &handled)
{
    if (KeyCode == 65 && (Shift & Qt::ControlModifier)) {
        WebAdressInputBar->selectAll();
        handled = true;
    } else if (KeyCode == 27) {
        Parts::leaveAddressEditing(*this, true);
        handled = true;
    }
}

void frmMain::WebAdressInputBar_KeyPress(int KeyAscii)
{
    if (KeyAscii != 13)
        return;
    const QString text = WebAdressInputBar->text();
    if (text.isEmpty()) {
        WebAdressInputBar->setText(QString::fromUtf8(kEmptyPrompt));
        WebAdressInputBar->selectAll();
        return;
    }
    // The text goes to the page exactly as typed; the engine completes it.
    if (platform::WebBrowser *page = m_tabs.currentPage())
        page->Navigate(text);
    Parts::leaveAddressEditing(*this, false);
}

void frmMain::WebAdressInputBar_LostFocus()
{
    if (!WebAdressInputBar->isVisible())
        return;
    Parts::leaveAddressEditing(*this, false);
}

void frmMain::Parts::leaveAddressEditing(frmMain &f, bool checkEmpty)
{
    AfterStep step(f.m_app.afterStep(), AfterStep::Kind::TrimOnly);
    if (checkEmpty && f.WebAdressInputBar->text().isEmpty())
        f.WebAdressInputBar->setText(QString::fromUtf8(kEmptyPrompt));
    const bool always = alwaysShowToolBox(f.m_app);
    f.m_app.afterStep().flushLayout();
    f.WebAdressBar->show();
    // Hiding the focused box moves the focus; that is not a second leave.
    f.WebAdressInputBar->hide();
    // Editing has ended, so the page's address goes back into the box too.
    f.WriteTitle(f.m_tabs.CurrentTab());
    f.WriteTabCap(f.m_tabs.CurrentTab());
    Parts::placeToolBox(f, always);
}
