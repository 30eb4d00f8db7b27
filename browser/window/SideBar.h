#pragma once

#include <QWidget>

class Commands;
class PictureControl;

// The side strip of the main window ("ProgramSidebar"): its background and
// the eight picture buttons, each giving its command on release over it. The
// side panels lie on it too; the window puts them there.
class SideBar : public QWidget
{
    Q_OBJECT
public:
    SideBar(Commands &commands, QWidget *parent);

    PictureControl *ProgramSidebarBackgroundImage;
    PictureControl *FavoriteButton;
    PictureControl *SearchButton;
    PictureControl *DesignModeButton;
    PictureControl *ScriptErrorsButton;
    PictureControl *TaskManagerButton;
    PictureControl *VitrelButton;
    PictureControl *PanovelButton;
    PictureControl *NotepadButton;

    void FavoriteButton_Click();
    void SearchButton_Click();
    void DesignModeButton_Click();
    void ScriptErrorsButton_Click();
    void TaskManagerButton_Click();
    void VitrelButton_Click();
    void PanovelButton_Click();
    void NotepadButton_Click();

private:
    Commands &m_commands;
};
