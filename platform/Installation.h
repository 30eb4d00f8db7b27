#pragma once

#include <QString>

namespace platform {

// Whether a copy of the program is installed or portable, and so where it
// keeps what it writes. An installed copy (its executable in a prefix's bin/
// with that prefix's share/vorlen/ beside it, or a build marked installed)
// writes only to the user's XDG data folder, whoever runs it and whatever it
// may write: a program in a system prefix must never write there. A portable
// copy (the build folder, an unpacked folder) keeps its UserData beside the
// executable when that folder is writable, and falls back to the XDG data
// folder when it is not.
namespace installation {

// What the decision looks at, gathered by inspect().
struct Facts
{
    bool inPrefixBin = false;        // the executable's folder is named bin
    bool prefixDataBeside = false;   // <folder>/../share/vorlen is a folder
    bool markedInstalled = false;    // the build says the copy is installed
    bool folderWritable = false;     // the effective user may write the executable's folder
    bool root = false;               // the effective user is root
};

enum class Kind { Portable, Installed };
enum class WritableFolder { BesideExecutable, UserData };

Kind kindOf(const Facts &facts);
WritableFolder writableFolderOf(const Facts &facts);

// The facts of the executable folder folder as the file system shows them to
// the effective user.
Facts inspect(const QString &executableFolder, bool markedInstalled);

// Where the read-only assets live: <prefix>/share/vorlen for an installed
// copy in a prefix layout, the executable's folder otherwise.
QString assetFolder(const QString &executableFolder, const Facts &facts);

// True when the build was configured to mark its copies installed.
bool buildMarkedInstalled();

} // namespace installation
} // namespace platform
