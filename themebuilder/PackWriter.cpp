#include "themebuilder/PackWriter.h"

#include "platform/FileIO.h"
#include "platform/IniFile.h"
#include "themepack/ThemePack.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace prismel {

namespace {

PackResult failed(const QString &path, PackResult::Failure failure = PackResult::Failure::Write)
{
    PackResult result;
    result.outcome = PackResult::Outcome::WriteFailed;
    result.failedPath = path;
    result.failure = failure;
    return result;
}

PackResult stoppedAt(const QString &slot)
{
    PackResult result;
    result.outcome = PackResult::Outcome::EmptySlot;
    result.emptySlot = slot;
    return result;
}

// mkpath for the theme folder: the per-user application folder may not exist yet.
bool ensureFolder(const QString &path)
{
    return themepack::folderExists(path) || QDir().mkpath(path);
}

// The first slot of the write order without a picture, or an empty string.
QString firstEmptySlot(const PackRequest &request)
{
    for (std::string_view slot : kWriteOrder) {
        const QString name = themepack::tableText(slot);
        const auto it = request.pictures.constFind(name);
        if (it == request.pictures.constEnd() || it->isEmpty())
            return name;
    }
    return {};
}

// Something at path, even a dangling link, takes the name.
bool nameTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QString defaultPackName(const QString &applicationFolder)
{
    const QString base = QStringLiteral("새 테마팩");
    for (int n = 1; n < 10000; ++n) {
        const QString name = n == 1 ? base : base + QLatin1Char(' ') + QString::number(n);
        if (!nameTaken(themepack::packFolder(applicationFolder, name)))
            return name;
    }
    return {};
}

PackResult writePack(const PackRequest &request)
{
    const QString &app = request.applicationFolder;
    QString packName = request.packName;
    if (packName.isEmpty()) {
        // The name is picked only once the make can go through to the end.
        const QString empty = firstEmptySlot(request);
        if (!empty.isEmpty())
            return stoppedAt(empty);
    } else {
        // A name that breaks the rule of the pack format would fail later, put the
        // pack somewhere else, or make a pack the browser never offers.
        const themepack::PackNameProblem problem = themepack::packNameProblem(packName);
        if (problem != themepack::PackNameProblem::None) {
            PackResult result;
            result.outcome = PackResult::Outcome::UnusableName;
            result.nameProblem = problem;
            return result;
        }
    }

    const QString themeFolder = themepack::themeFolder(app);
    if (!ensureFolder(themeFolder))
        return failed(themeFolder);
    if (packName.isEmpty()) {
        packName = defaultPackName(app);
        if (packName.isEmpty())
            return failed(themeFolder);
    }

    // A pack folder that is a link would take the pack's files wherever it points.
    const QString packFolder = themepack::packFolder(app, packName);
    if (QFileInfo(packFolder).isSymLink())
        return failed(packFolder, PackResult::Failure::LinkedFolder);
    if (!ensureFolder(packFolder))
        return failed(packFolder);
    if (!themepack::isPlainPackFolder(packFolder))
        return failed(packFolder, PackResult::Failure::OutsideThemeFolder);

    for (std::string_view slot : kWriteOrder) {
        const QString name = themepack::tableText(slot);
        const auto it = request.pictures.constFind(name);
        if (it == request.pictures.constEnd() || it->isEmpty())
            return stoppedAt(name);

        // The atomic write renames over a link at the file's place, never into its target.
        const QString path = packFolder + QLatin1Char('/') + name + QStringLiteral(".gif");
        const QByteArray bytes = packFileBytes(*it);
        if (bytes.isEmpty() || !platform::writeFileAtomically(path, bytes))
            return failed(path);
    }

    // The information file comes last, so a pack with one marks a finished make.
    // A link in its place is dropped first: updating the file would read the
    // link's target and copy what it holds into the pack.
    const QString info = themepack::infoFile(app, packName);
    if (QFileInfo(info).isSymLink() && !QFile::remove(info))
        return failed(info);
    const QString section = QLatin1String(themepack::kInfoSection);
    const std::pair<const char *, const QString *> values[] = {
        {themepack::kKeyName, &packName},
        {themepack::kKeyMakerName, &request.makerName},
        {themepack::kKeyMakerUrl, &request.makerUrl},
    };
    for (const auto &[key, value] : values) {
        if (!modINIControl::WriteIniValue(section, QLatin1String(key), *value, info))
            return failed(info);
    }
    PackResult made;
    made.packName = packName;
    return made;
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

QString unusableNameMessage(themepack::PackNameProblem problem)
{
    using themepack::PackNameProblem;
    QString why;
    switch (problem) {
    case PackNameProblem::OnlyBlanks:
        why = QStringLiteral("이름을 공백만으로 지을 수 없습니다.");
        break;
    case PackNameProblem::ControlCharacter:
        why = QStringLiteral("이름에 줄바꿈, 탭 같은 제어 문자를 넣을 수 없습니다.");
        break;
    case PackNameProblem::EdgeBlanks:
        why = QStringLiteral("이름의 맨 앞이나 맨 뒤에 공백을 둘 수 없습니다.");
        break;
    case PackNameProblem::PathCharacter:
        why = QStringLiteral("이름에 경로 구분 문자( / \\ )를 넣을 수 없습니다.");
        break;
    case PackNameProblem::Hidden:
        why = QStringLiteral("이름을 마침표( . )로 시작할 수 없습니다.");
        break;
    case PackNameProblem::NotEncodable:
        why = QStringLiteral("이름에 파일 이름으로 쓸 수 없는 문자가 들어 있습니다.");
        break;
    case PackNameProblem::TooLong:
        why = QStringLiteral("이름이 너무 깁니다. 영문은 %1자, 한글은 %2자까지 쓸 수 있습니다.")
                  .arg(themepack::kMaxPackNameBytes)
                  .arg(themepack::kMaxPackNameBytes / 3);
        break;
    case PackNameProblem::Empty:
    case PackNameProblem::None:
        why = QStringLiteral("이름을 다시 확인해 주십시오.");
        break;
    }
    return QStringLiteral("입력하신 테마팩 이름은 사용할 수 없습니다.\n") + why
        + QStringLiteral("\n다른 이름을 입력 하십시오.");
}

QString writeFailedMessage(const QString &path)
{
    return QStringLiteral("테마팩을 만드는 도중에 다음 파일을 저장하지 못했습니다 : ") + path
        + QLatin1Char('\n')
        + QStringLiteral("폴더의 쓰기 권한과 남은 디스크 공간을 확인한 뒤 다시 만들기를 누르십시오.");
}

QString failureMessage(const PackResult &result)
{
    switch (result.failure) {
    case PackResult::Failure::LinkedFolder:
        return QStringLiteral("테마팩 폴더가 다른 곳을 가리키는 링크여서 그 안에 저장하지 않았습니다.\n")
            + result.failedPath + QLatin1Char('\n')
            + QStringLiteral("링크를 지우거나 다른 테마팩 이름을 입력 하십시오.");
    case PackResult::Failure::OutsideThemeFolder:
        return QStringLiteral("테마팩 폴더가 테마 폴더 밖을 가리키고 있어 그 안에 저장하지 않았습니다.\n")
            + result.failedPath + QLatin1Char('\n')
            + QStringLiteral("다른 테마팩 이름을 입력 하십시오.");
    case PackResult::Failure::Write:
        break;
    }
    return writeFailedMessage(result.failedPath);
}

QString slotLabel(const QString &slotName)
{
    const QByteArray utf8 = slotName.toUtf8();
    const auto file = themepack::pictureFile(std::string_view(utf8.constData(), size_t(utf8.size())));
    return file ? themepack::tableText(file->slotLabel) : slotName;
}

} // namespace prismel
