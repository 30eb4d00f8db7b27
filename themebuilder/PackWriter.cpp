#include "themebuilder/PackWriter.h"

#include "platform/FileIO.h"
#include "platform/IniFile.h"
#include "themepack/ThemePack.h"

#include <QDir>

namespace prismel {

namespace {

PackResult failed(const QString &path)
{
    return PackResult{PackResult::Outcome::WriteFailed, {}, path};
}

// mkpath for the theme folder: the per-user application folder may not exist yet.
bool ensureFolder(const QString &path)
{
    return themepack::folderExists(path) || QDir().mkpath(path);
}

} // namespace

PackResult writePack(const PackRequest &request)
{
    // A name with a separator or a dot name would put the pack (and its
    // information file) somewhere other than one folder below the theme folder.
    if (!themepack::isUsablePackName(request.packName))
        return PackResult{PackResult::Outcome::UnusableName, {}, {}};

    const QString &app = request.applicationFolder;
    const QString themeFolder = themepack::themeFolder(app);
    if (!ensureFolder(themeFolder))
        return failed(themeFolder);
    const QString packFolder = themepack::packFolder(app, request.packName);
    if (!ensureFolder(packFolder))
        return failed(packFolder);

    for (std::string_view slot : kWriteOrder) {
        const QString name = themepack::tableText(slot);
        const auto it = request.pictures.constFind(name);
        if (it == request.pictures.constEnd() || it->isEmpty())
            return PackResult{PackResult::Outcome::EmptySlot, name, {}};

        const QString path = themepack::picturePath(app, request.packName, name + QStringLiteral(".gif"));
        const QByteArray bytes = packFileBytes(*it);
        if (bytes.isEmpty() || !platform::writeFileAtomically(path, bytes))
            return failed(path);
    }

    // The information file comes last, so a pack with one marks a finished make.
    const QString info = themepack::infoFile(app, request.packName);
    const QString section = QLatin1String(themepack::kInfoSection);
    const std::pair<const char *, const QString *> values[] = {
        {themepack::kKeyName, &request.packName},
        {themepack::kKeyMakerName, &request.makerName},
        {themepack::kKeyMakerUrl, &request.makerUrl},
    };
    for (const auto &[key, value] : values) {
        if (!modINIControl::WriteIniValue(section, QLatin1String(key), *value, info))
            return failed(info);
    }
    return PackResult{};
}

QString makerMessageTitle()
{
    return QStringLiteral("Prismel™ 생성 관리자");
}

QString emptySlotMessage(const QString &slotLabel)
{
    return QStringLiteral("이미지가 등록되어 있지 않은 부분 : ") + slotLabel + QLatin1Char('\n')
        + QStringLiteral("해당 부분으로 이동 합니다.");
}

QString unusableNameMessage()
{
    return QStringLiteral("입력하신 테마팩 이름은 사용할 수 없습니다.\n"
                          "이름을 비워 두거나 \".\", \"..\" 만으로 짓거나, "
                          "경로 구분 문자( / \\ )를 넣을 수 없습니다.\n"
                          "다른 이름을 입력 하십시오.");
}

QString writeFailedMessage(const QString &path)
{
    return QStringLiteral("테마팩을 만드는 도중에 다음 파일을 저장하지 못했습니다 : ") + path
        + QLatin1Char('\n')
        + QStringLiteral("폴더의 쓰기 권한과 남은 디스크 공간을 확인한 뒤 다시 만들기를 누르십시오.");
}

QString slotLabel(const QString &slotName)
{
    const QByteArray utf8 = slotName.toUtf8();
    const auto file = themepack::pictureFile(std::string_view(utf8.constData(), size_t(utf8.size())));
    return file ? themepack::tableText(file->slotLabel) : slotName;
}

} // namespace prismel
