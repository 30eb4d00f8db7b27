#include "Skin.h"

#include "browser/frame/PictureControl.h"
#include "platform/Environment.h"
#include "platform/Settings.h"
#include "themepack/ThemePack.h"

#include <QFileInfo>
#include <QWidget>

#include <set>

Skin::Skin(const platform::Environment &environment, BuiltinImages &images)
    : m_environment(environment)
    , m_images(images)
{
}

void Skin::attach(QWidget *window)
{
    m_window = window;
}

bool Skin::activatePack(const QString &name)
{
    if (!themepack::isUsablePackName(name)) {
        m_pack.clear();
        return false;
    }
    m_pack = name;
    return true;
}

void Skin::deactivatePack()
{
    m_pack.clear();
}

std::optional<ImageList> Skin::imageList(std::string_view builtInList)
{
    if (builtInList == themepack::kSystemImageList)
        return ImageList::SystemImageList;
    if (builtInList == themepack::kSystemButtonImageList)
        return ImageList::SystemButtonImageList;
    if (builtInList == themepack::kToolbarImagesList)
        return ImageList::ProgramToolbarImagesList;
    if (builtInList == themepack::kSidebarImagesList)
        return ImageList::ProgramSidebarImagesList;
    return std::nullopt;
}

QPixmap Skin::builtin(const themepack::PictureFile &row) const
{
    const auto list = imageList(row.builtInList);
    return list ? m_images.builtinPicture(*list, row.builtInIndex) : QPixmap();
}

std::optional<QPixmap> Skin::packPicture(const themepack::PictureFile &row) const
{
    if (!packActive())
        return std::nullopt;
    const QString file = themepack::picturePath(m_environment.applicationFolder(), m_pack,
                                                themepack::tableText(row.fileName));
    if (file.isEmpty() || !themepack::fileExists(file))
        return std::nullopt;
    // The format is told by the content: a builder writes PNG under ".gif" names.
    QPixmap pixmap(file);
    if (pixmap.isNull())
        return std::nullopt;
    return pixmap;
}

std::optional<QPixmap> Skin::picture(const themepack::PictureFile &row) const
{
    if (m_themePackActive && packActive()
        && platform::setting::int16(m_environment, settings::Key::AmbrelUseValue) == 1) {
        if (auto pixmap = packPicture(row))
            return pixmap;
    }
    return builtin(row);
}

bool Skin::showFromPack(std::string_view fileName)
{
    const auto row = themepack::pictureFile(fileName);
    if (!row)
        return false;
    const auto fromPack = packPicture(*row);
    const QPixmap shown = fromPack ? *fromPack : builtin(*row);
    put(row->element, shown);
    put(row->alsoElement, shown);
    return fromPack.has_value();
}

void Skin::put(std::string_view element, const QPixmap &picture)
{
    if (!m_window || element.empty())
        return;
    const QString name = themepack::tableText(element);
    auto *control = m_window->objectName() == name ? qobject_cast<PictureControl *>(m_window.data())
                                                    : m_window->findChild<PictureControl *>(name);
    if (control)
        control->setPicture(picture);
}

void Skin::applyBuiltin()
{
    // The first row of an element is its normal picture.
    std::set<std::string_view> done;
    for (const themepack::PictureFile &row : themepack::kPictureFiles) {
        if (!done.insert(row.element).second)
            continue;
        const QPixmap picture = builtin(row);
        put(row.element, picture);
        put(row.alsoElement, picture);
    }
}

void Skin::show(std::string_view fileName)
{
    const auto row = themepack::pictureFile(fileName);
    if (!row)
        return;
    const auto shown = picture(*row);
    if (!shown)
        return;
    put(row->element, *shown);
    put(row->alsoElement, *shown);
}
