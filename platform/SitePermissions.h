#pragma once

#include <QMap>
#include <QString>

#include <optional>

namespace platform {

// What a site may ask to use.
enum class SiteFeature { Location, Camera, Microphone, CameraAndMicrophone, ScreenCapture, MouseLock, Notifications };
enum class SiteDecision { Ask, Allow, Block };

// The feature as the prompt names it ("카메라").
QString siteFeatureName(SiteFeature feature);
// "127.0.0.1에서 카메라 사용 권한을 요청합니다."
QString permissionQuestion(const QString &site, SiteFeature feature);

// The decisions the user made for sites, per origin ("https://host:port") and
// feature, kept in one small file:
//
//   vorlen-site-permissions 1
//   <origin> TAB <feature> TAB allow|block
//
// Every change replaces the file atomically. The file is read at the first
// question; one that does not read as above is moved aside (to path +
// ".garbled", replacing an older such copy) and the store starts empty, so a
// damaged file costs the decisions, never the program. Lines naming a feature
// this version does not know are kept out. Without a path the decisions last
// until the store goes.
class SitePermissions
{
public:
    enum class Loaded { NotYet, Missing, Read, Garbled };

    explicit SitePermissions(const QString &path = QString());

    SiteDecision decision(const QString &origin, SiteFeature feature) const;
    // Ask forgets the decision. False when the file could not be written (the
    // decision holds until the program ends all the same) or the origin cannot
    // be a key (empty, or with a tab or line break).
    bool remember(const QString &origin, SiteFeature feature, SiteDecision decision);
    // Forgets every decision of origin; false when the file could not be written.
    bool clear(const QString &origin);
    bool hasDecisions(const QString &origin) const;

    QString path() const { return m_path; }
    Loaded loaded() const { return m_loaded; }

    // The file's contents for decisions, and decisions read from contents
    // (nullopt for contents that do not read as a permissions file).
    using Table = QMap<QString, QMap<SiteFeature, SiteDecision>>;
    static QByteArray serialize(const Table &table);
    static std::optional<Table> parse(const QByteArray &bytes);

private:
    void load() const;
    bool save() const;

    QString m_path;
    mutable Table m_table;
    mutable Loaded m_loaded = Loaded::NotYet;
};

} // namespace platform
