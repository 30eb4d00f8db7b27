#include "SideBar.h"

#include "Design.h"
#include "browser/frame/PictureControl.h"
#include "browser/input/SidebarButtons.h"

SideBar::SideBar(Commands &commands, QWidget *parent)
    : QWidget(parent)
    , m_commands(commands)
{
    setObjectName(QStringLiteral("ProgramSidebar"));
    resize(design::px(design::kSidebarCollapsedWidth), 100);
    ProgramSidebarBackgroundImage = new PictureControl(QStringLiteral("ProgramSidebarBackgroundImage"), this);

    using Handler = void (SideBar::*)();
    const Handler handlers[] = {&SideBar::FavoriteButton_Click, &SideBar::SearchButton_Click,
                                &SideBar::DesignModeButton_Click, &SideBar::ScriptErrorsButton_Click,
                                &SideBar::TaskManagerButton_Click, &SideBar::VitrelButton_Click,
                                &SideBar::PanovelButton_Click, &SideBar::NotepadButton_Click};
    PictureControl **controls[] = {&FavoriteButton, &SearchButton, &DesignModeButton, &ScriptErrorsButton,
                                   &TaskManagerButton, &VitrelButton, &PanovelButton, &NotepadButton};
    static_assert(std::size(handlers) == kSidebarButtons.size());
    int top = design::kSidebarButtonTop;
    for (size_t i = 0; i < kSidebarButtons.size(); ++i) {
        const SidebarButton &b = kSidebarButtons[i];
        auto *button = new PictureControl(QString::fromLatin1(b.control.data(), qsizetype(b.control.size())), this);
        button->setToolTip(QString::fromUtf8(b.toolTip.data(), qsizetype(b.toolTip.size())));
        button->setGeometry(design::px(QRect(design::kSidebarButtonLeft, top, design::kSidebarButtonSize,
                                             design::kSidebarButtonSize)));
        top += design::kSidebarButtonStep;
        *controls[i] = button;
        // A release outside the button does not count.
        connect(button, &PictureControl::MouseUp, this,
                [this, button, h = handlers[i]](Qt::MouseButton mb, Qt::KeyboardModifiers, int x, int y) {
                    if (mb == Qt::LeftButton && releaseTriggers(x, y, button->width(), button->height()))
                        (this->*h)();
                });
    }
}

void SideBar::FavoriteButton_Click()
{
    m_commands.run(Command::FavoritesPanel);
}

void SideBar::SearchButton_Click()
{
    m_commands.run(Command::SearchPanel);
}

void SideBar::DesignModeButton_Click()
{
    m_commands.run(Command::DesignMode);
}

void SideBar::ScriptErrorsButton_Click()
{
    m_commands.run(Command::ScriptErrors);
}

void SideBar::TaskManagerButton_Click()
{
    m_commands.run(Command::TaskManager);
}

void SideBar::VitrelButton_Click()
{
    m_commands.run(Command::Transparency);
}

void SideBar::PanovelButton_Click()
{
    m_commands.run(Command::WideView);
}

void SideBar::NotepadButton_Click()
{
    m_commands.run(Command::Notepad);
}
