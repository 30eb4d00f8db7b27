#include "themepack/PackName.h"

#include <algorithm>

namespace themepack {

PackNameProblem packNameProblem(const QString &name)
{
    if (name.isEmpty())
        return PackNameProblem::Empty;
    const auto isBlank = [](QChar c) { return c.isSpace(); };
    if (std::all_of(name.cbegin(), name.cend(), isBlank))
        return PackNameProblem::OnlyBlanks;
    if (std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return PackNameProblem::ControlCharacter;
    if (isBlank(name.front()) || isBlank(name.back()))
        return PackNameProblem::EdgeBlanks;
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return PackNameProblem::PathCharacter;
    if (name.startsWith(QLatin1Char('.')))
        return PackNameProblem::Hidden;
    if (!name.isValidUtf16())
        return PackNameProblem::NotEncodable;
    if (name.toUtf8().size() > kMaxPackNameBytes)
        return PackNameProblem::TooLong;
    return PackNameProblem::None;
}

bool isUsablePackName(const QString &name)
{
    return packNameProblem(name) == PackNameProblem::None;
}

} // namespace themepack
