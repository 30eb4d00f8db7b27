#pragma once

#include "browser/themes/BuiltinImages.h"
#include "themepack/PictureFiles.h"

#include <QPixmap>
#include <QPointer>
#include <QString>

#include <optional>
#include <string_view>

class QWidget;

namespace platform {
class Environment;
}

// The window's skin: every picture element gets its picture from one table, the
// theme pack's list of picture files. A row names the element (the control's
// object name), its file in a pack and its built-in picture. When a pack is
// active and the settings allow it, an element shows the pack's file; a file the
// pack lacks falls back to the built-in picture.
class Skin
{
public:
    Skin(const platform::Environment &environment, BuiltinImages &images);

    // The window whose elements are skinned; elements are found by object name.
    void attach(QWidget *window);

    // Makes a pack the active one; false (and no pack active) for a name that
    // cannot be a pack folder's.
    bool activatePack(const QString &name);
    void deactivatePack();
    bool packActive() const { return !m_pack.isEmpty(); }
    QString packName() const { return m_pack; }

    // Whether the latest start-up check of this run switched packs on. While
    // false the state pictures stay built-in and a pack chosen in the theme
    // manager waits for the next start.
    void setThemePackActive(bool active) { m_themePackActive = active; }
    bool themePackActive() const { return m_themePackActive; }

    // Every element shows its built-in picture in its normal state.
    void applyBuiltin();
    // The picture of a table row (file name with or without ".gif") goes onto
    // its element (and the row's second element): the active pack's file while
    // packs are switched on and active, the built-in picture otherwise. A pack
    // file that is missing or does not decode falls back to the built-in one.
    void show(std::string_view fileName);
    // The row's picture as show() would put it.
    std::optional<QPixmap> picture(const themepack::PictureFile &row) const;
    // The active pack's picture of a row, decoded; nullopt when no pack is
    // active or its file is missing, leads outside the pack or does not decode.
    std::optional<QPixmap> packPicture(const themepack::PictureFile &row) const;
    // Puts the pack's picture of a row onto its elements, or the built-in one
    // when the pack cannot give it; false in that case (a missing file).
    bool showFromPack(std::string_view fileName);

    // The image list a row's builtInList names.
    static std::optional<ImageList> imageList(std::string_view builtInList);

private:
    void put(std::string_view element, const QPixmap &picture);
    QPixmap builtin(const themepack::PictureFile &row) const;

    const platform::Environment &m_environment;
    BuiltinImages &m_images;
    QPointer<QWidget> m_window;
    QString m_pack;
    bool m_themePackActive = false;
};
