// --changes FILE in the format --changes-format names: a registry file
// ("reg", the default), a Group Policy object's Registry.pol files ("pol":
// FILE is a folder, given Machine\Registry.pol and User\Registry.pol where
// there are changes for them) or a preferences Registry.xml ("gpp").
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/options.h"
#include "services/file_text.h"
#include "services/reg_file.h"

namespace corvandel {

// Written through files, with the other files of the command. comment: a
// line saying what made the changes (the reg format keeps it).
std::optional<CliFailure> WriteChangesFile(IFileStore& files, const std::string& path, ChangesFormat format,
                                           const std::vector<RegChange>& changes, const std::string& comment);

}  // namespace corvandel
