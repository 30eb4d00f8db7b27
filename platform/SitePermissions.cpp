#include "SitePermissions.h"

#include "FileIO.h"

#include <QFile>
#include <QFileInfo>

namespace platform {

namespace {

constexpr char kHeader[] = "vorlen-site-permissions 1";
// A permissions file is a few lines; anything far larger is not one.
constexpr qint64 kMaxFileSize = 1024 * 1024;

struct FeatureEntry
{
    SiteFeature feature;
    const char *key;
    const char *name;
};

constexpr FeatureEntry kFeatures[] = {
    {SiteFeature::Location, "location", "위치 정보"},
    {SiteFeature::Camera, "camera", "카메라"},
    {SiteFeature::Microphone, "microphone", "마이크"},
    {SiteFeature::CameraAndMicrophone, "camera-microphone", "카메라와 마이크"},
    {SiteFeature::ScreenCapture, "screen", "화면 공유"},
    {SiteFeature::MouseLock, "mouse-lock", "마우스 포인터 고정"},
    {SiteFeature::Notifications, "notifications", "알림"},
};

const FeatureEntry &entryOf(SiteFeature feature)
{
    for (const FeatureEntry &entry : kFeatures) {
        if (entry.feature == feature)
            return entry;
    }
    return kFeatures[0];
}

bool isUsableOrigin(const QString &origin)
{
    return !origin.isEmpty() && !origin.contains(QLatin1Char('\t')) && !origin.contains(QLatin1Char('\n'))
           && !origin.contains(QLatin1Char('\r'));
}

} // namespace

QString siteFeatureName(SiteFeature feature)
{
    return QString::fromUtf8(entryOf(feature).name);
}

QString permissionQuestion(const QString &site, SiteFeature feature)
{
    return QStringLiteral("%1에서 %2 사용 권한을 요청합니다.").arg(site, siteFeatureName(feature));
}

SitePermissions::SitePermissions(const QString &path)
    : m_path(path)
{
}

QByteArray SitePermissions::serialize(const Table &table)
{
    QByteArray out = QByteArray(kHeader) + '\n';
    for (auto site = table.constBegin(); site != table.constEnd(); ++site) {
        for (auto it = site->constBegin(); it != site->constEnd(); ++it) {
            if (it.value() == SiteDecision::Ask)
                continue;
            out += site.key().toUtf8() + '\t' + entryOf(it.key()).key + '\t'
                   + (it.value() == SiteDecision::Allow ? "allow" : "block") + '\n';
        }
    }
    return out;
}

std::optional<SitePermissions::Table> SitePermissions::parse(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || lines.takeFirst().trimmed() != kHeader)
        return std::nullopt;
    Table table;
    for (const QByteArray &raw : std::as_const(lines)) {
        const QByteArray line = raw.endsWith('\r') ? raw.chopped(1) : raw;
        if (line.isEmpty())
            continue;
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 3)
            return std::nullopt;
        const QString origin = QString::fromUtf8(fields.at(0));
        SiteDecision decision;
        if (fields.at(2) == "allow")
            decision = SiteDecision::Allow;
        else if (fields.at(2) == "block")
            decision = SiteDecision::Block;
        else
            return std::nullopt;
        if (!isUsableOrigin(origin) || origin.contains(QChar::ReplacementCharacter))
            return std::nullopt;
        for (const FeatureEntry &entry : kFeatures) {
            if (fields.at(1) == entry.key)
                table[origin][entry.feature] = decision;
        }
    }
    return table;
}

void SitePermissions::load() const
{
    if (m_loaded != Loaded::NotYet)
        return;
    m_loaded = Loaded::Missing;
    if (m_path.isEmpty())
        return;
    const QFileInfo info(m_path);
    // Only a plain file is ours to read or move; anything else at the path
    // stays, and writes fail until it is gone.
    if (!info.isFile() || info.isSymLink())
        return;
    QFile file(m_path);
    std::optional<Table> table;
    if (info.size() <= kMaxFileSize && file.open(QIODevice::ReadOnly))
        table = parse(file.readAll());
    file.close();
    if (table) {
        m_table = *table;
        m_loaded = Loaded::Read;
        return;
    }
    // Kept for whoever wants to look, out of the way of the next write.
    const QString aside = m_path + QStringLiteral(".garbled");
    QFile::remove(aside);
    if (!QFile::rename(m_path, aside))
        QFile::remove(m_path);
    m_loaded = Loaded::Garbled;
}

bool SitePermissions::save() const
{
    return m_path.isEmpty() || writeFileAtomically(m_path, serialize(m_table));
}

SiteDecision SitePermissions::decision(const QString &origin, SiteFeature feature) const
{
    load();
    return m_table.value(origin).value(feature, SiteDecision::Ask);
}

bool SitePermissions::remember(const QString &origin, SiteFeature feature, SiteDecision decision)
{
    if (!isUsableOrigin(origin))
        return false;
    load();
    if (decision == SiteDecision::Ask) {
        auto site = m_table.find(origin);
        if (site == m_table.end() || !site->contains(feature))
            return true;
        site->remove(feature);
        if (site->isEmpty())
            m_table.erase(site);
    } else {
        m_table[origin][feature] = decision;
    }
    return save();
}

bool SitePermissions::clear(const QString &origin)
{
    load();
    if (!m_table.remove(origin))
        return true;
    return save();
}

bool SitePermissions::hasDecisions(const QString &origin) const
{
    load();
    return m_table.contains(origin);
}

} // namespace platform
