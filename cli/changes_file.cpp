#include "cli/changes_file.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <random>
#include <system_error>

#include "services/ansi_text.h"
#include "services/file_text.h"
#include "services/gpp_file.h"
#include "services/policy_file.h"

namespace corvandel {
namespace {


// Now, UTC, as the preferences date their items.
std::string ChangedNow() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm utc{};
#ifdef _WIN32
  gmtime_s(&utc, &now);
#else
  gmtime_r(&now, &utc);
#endif
  char text[32];
  std::strftime(text, sizeof(text), "%Y-%m-%d %H:%M:%S", &utc);
  return text;
}

// A random (version 4) GUID in braces.
std::string NewGuid(std::mt19937_64& random) {
  const std::uint64_t high = random(), low = random();
  char text[40];
  std::snprintf(text, sizeof(text), "{%08X-%04X-4%03X-%04X-%012llX}", static_cast<unsigned>(high >> 32),
                static_cast<unsigned>((high >> 16) & 0xFFFF), static_cast<unsigned>(high & 0xFFF),
                static_cast<unsigned>(0x8000 | ((low >> 48) & 0x3FFF)),
                static_cast<unsigned long long>(low & 0xFFFFFFFFFFFFull));
  return text;
}

}  // namespace

std::optional<CliFailure> WriteChangesFile(IFileStore& files, const std::string& path, ChangesFormat format,
                                           const std::vector<RegChange>& changes, const std::string& comment) {
  std::string error;
  switch (format) {
    case ChangesFormat::kReg:
      if (!files.Write(path, RegistryChangesText(changes, {comment}), &error)) return CliFailure{kExitFileError, error};
      return std::nullopt;
    case ChangesFormat::kGpp: {
      std::random_device seed;
      std::mt19937_64 random((static_cast<std::uint64_t>(seed()) << 32) ^ seed());
      const auto xml = GppRegistryXml(changes, {ChangedNow(), [&] { return NewGuid(random); }}, &error);
      if (!xml) return CliFailure{kExitUsage, error};
      if (!files.Write(path, *xml, &error)) return CliFailure{kExitFileError, error};
      return std::nullopt;
    }
    case ChangesFormat::kPol: {
      const auto policies = PolicyFileBytes(changes, &error);
      if (!policies) return CliFailure{kExitUsage, error};
      const std::pair<const char*, const std::optional<std::string>*> parts[] = {{"Machine", &policies->machine},
                                                                                 {"User", &policies->user}};
      for (const auto& [folder, bytes] : parts) {
        if (!*bytes) continue;
        const std::string file = path + "\\" + folder + "\\Registry.pol";
        std::error_code created;
        std::filesystem::create_directories(PathFromAnsi(path + "\\" + folder), created);
        if (!files.Write(file, **bytes, &error)) return CliFailure{kExitFileError, error};
      }
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace corvandel
