// corvandel-cli: the headless front end. It drives the same start-up, load and
// apply routines as the window, through the in-memory pages, and prints the
// page instead of drawing it.
//
//   corvandel-cli [OPTIONS] tree
//   corvandel-cli [OPTIONS] show TWEAKID...
//   corvandel-cli [OPTIONS] apply TWEAKID [SETTING...]
//   corvandel-cli [OPTIONS] find WORD...
//   corvandel-cli [OPTIONS] profile save FILE [TWEAKID...]
//   corvandel-cli [OPTIONS] profile apply FILE
//   corvandel-cli [OPTIONS] undo TWEAKID
//   corvandel-cli [OPTIONS] backups [TWEAKID]
//
// Options (anywhere on the line, as "--name VALUE" or "--name=VALUE"):
//   --json           tree, show, find, apply, undo and backups print one JSON document
//   --changes FILE   apply, undo and profile apply write the changes they made
//                    as a "REGEDIT4" file, to make them on other machines
//   --registry FILE  a registry file (.reg) instead of the system registry; a
//                    missing file is an empty registry; "apply" writes it back
//   --windows VER    95, 98, me, nt4, 2000, xp or PLATFORM.MAJOR.MINOR
//   --home DIR       the program's folder: "DFile.kvd" and "Language\"
//   --today YYYY-MM-DD   today's UTC date for the history
//   --windir PATH, --appdata PATH   the Windows and application-data folders
//   --profile-dir PATH              the user's profile folder (else from --appdata)
//   --drives LIST    present drives and their types, e.g. A:\=2,C:\=3,D:\=5
//   --browse TEXT    what the next file or folder dialog returns (given again,
//                    the one after); without it the dialog is cancelled
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "services/file_text.h"
#include "services/platform_fake.h"
#include "services/profile.h"
#include "services/registry.h"

namespace corvandel {

// What the machine provides: the platform's answers where no option says
// otherwise, the system registry where there is one, and the INI reader.
struct CliHost {
  SettablePlatform platform;
  std::unique_ptr<IRegistry> systemRegistry;  // none: show and apply need --registry
  std::unique_ptr<IProfile> profile;
  FileFaults fileFaults;  // none but in tests
};

// The host of this build (cli/host_*.cpp): the real answers on Windows; on
// other systems the answers of a Windows XP machine with no drives, today's
// date and the executable's folder.
CliHost DetectHost();

// Runs one command line (without the program's name): results to out, one
// line of error to err. Returns the exit status (kExitOk, kExitFileError,
// kExitUsage or kExitRefused, cli/options.h).
int RunCli(const std::vector<std::string>& args, CliHost& host, std::ostream& out, std::ostream& err);

}  // namespace corvandel
