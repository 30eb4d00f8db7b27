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

    // Every element shows its built-in picture in its normal state.
    void applyBuiltin();
    // The picture of a table row (file name with or without ".gif") goes onto
    // its element (and the row's second element). A pack file that exists but
    // does not load leaves the element as it is.
    void show(std::string_view fileName);
    // The row's picture as show() would put it; nullopt when it leaves the
    // element alone.
    std::optional<QPixmap> picture(const themepack::PictureFile &row) const;

    // The image list a row's builtInList names.
    static std::optional<ImageList> imageList(std::string_view builtInList);

private:
    void put(std::string_view element, const QPixmap &picture);
    QPixmap builtin(const themepack::PictureFile &row) const;

    const platform::Environment &m_environment;
    BuiltinImages &m_images;
    QPointer<QWidget> m_window;
    QString m_pack;
};
