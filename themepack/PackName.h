#pragma once

#include "themepack/PictureFiles.h"

#include <QString>

// The one rule for what may name a theme pack. The builder refuses a name that
// breaks it before it writes anything, and the browser's reader skips pack
// folders whose names break it, so both programs agree on which packs exist.
namespace themepack {

// Why a text cannot name a pack.
enum class PackNameProblem {
    None,
    Empty,
    OnlyBlanks,        // nothing but blanks
    ControlCharacter,  // NUL, tab, line break and the other control characters
    EdgeBlanks,        // blanks at either end: a ThemeName read drops them, so the pack could never be chosen
    PathCharacter,     // '/' or '\\' would leave the theme folder
    Hidden,            // a leading '.' (also "." and ".."): a hidden folder is never listed
    NotEncodable,      // half of a surrogate pair: it has no UTF-8 form, so the file name would differ
    TooLong,           // a file the writer makes in the pack folder would pass the file-name limit
};

// The longest file name, in bytes, that the file system takes (NAME_MAX).
inline constexpr int kMaxFileNameBytes = 255;

// What an atomic write adds to a file name for its temporary file beside the
// target: "." + name + ".tmp-" + the writer's process id (at most 10 digits) +
// "-" + a 64-bit random number in base 36 (at most 13 digits). The information
// file's temporary name is the longest name a make puts into the pack folder
// (the lock file beside it, "." + name + ".lock", is shorter).
inline constexpr int kTemporaryNameExtraBytes = 1 + 5 + 10 + 1 + 13;

inline constexpr int kInfoSuffixBytes = 4;  // ".iti"

// The longest pack name in UTF-8 bytes: 221, that is 221 Latin letters or 73
// Korean syllables.
inline constexpr int kMaxPackNameBytes = kMaxFileNameBytes - kTemporaryNameExtraBytes - kInfoSuffixBytes;
static_assert(kMaxPackNameBytes == 221);

constexpr bool pictureTemporaryNamesFit()
{
    for (const PictureFile &f : kPictureFiles) {
        if (int(f.fileName.size()) + kTemporaryNameExtraBytes > kMaxFileNameBytes)
            return false;
    }
    return true;
}
static_assert(pictureTemporaryNamesFit(), "the pack name alone decides the longest file name");

// The first rule the name breaks, in the order of the enum; None for a usable name.
PackNameProblem packNameProblem(const QString &name);

// A name that stays one folder below the theme folder and can be written, listed
// and chosen: packNameProblem(name) == None.
bool isUsablePackName(const QString &name);

} // namespace themepack
