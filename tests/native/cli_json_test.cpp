// corvandel-cli --json: the documents say what the lines say.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sstream>

#include "cli/json_output.h"
#include "cli/options.h"
#include "cli/page_printer.h"
#include "cli_fixture.h"
#include "nav/tweak_table.h"
#include "tweaks/catalogue.h"

namespace corvandel {
namespace {

using nlohmann::json;

// The text output's lines written again from a show document: every fact
// of the lines must be in it.
std::vector<std::string> LinesOf(const json& document) {
  const auto quote = [](const json& text) { return QuoteText(text.get<std::string>()); };
  std::vector<std::string> lines;
  for (const json& page : document["pages"]) {
    for (const json& alert : page["alerts"]) {
      std::ostringstream line;
      line << "alert " << quote(alert["caption"]) << ' ' << quote(alert["text"]);
      lines.push_back(line.str());
    }
    lines.push_back("page " + (page["page"].is_null() ? std::string("none") : page["page"].get<std::string>()));
    for (const json& control : page["controls"]) {
      const int id = control["id"];
      const std::string kind = control["kind"];
      std::ostringstream line;
      line << id << ' ' << kind;
      if (kind == "check") line << ' ' << control["state"].get<int>();
      if (kind == "combo") line << ' ' << control["selected"].get<int>();
      if (kind != "list") line << ' ' << quote(control["text"]);
      if (kind == "combo") line << " items=" << control["items"].size();
      if (kind == "list") {
        line << " columns=";
        for (std::size_t column = 0; column < control["columns"].size(); ++column)
          line << (column ? "," : "") << quote(control["columns"][column]);
        line << " rows=" << control["rows"].size() << " selected=" << control["selected"].get<int>();
      }
      if (!control["enabled"].get<bool>()) line << " disabled";
      lines.push_back(line.str());
      if (kind != "list") continue;
      for (std::size_t row = 0; row < control["rows"].size(); ++row) {
        const json& entry = control["rows"][row];
        std::ostringstream rowLine;
        rowLine << id << '[' << row << ']';
        if (control["checkBoxes"].get<bool>() && entry["checked"].get<bool>()) rowLine << " checked";
        for (const json& text : entry["texts"]) rowLine << ' ' << quote(text);
        lines.push_back(rowLine.str());
      }
    }
  }
  return lines;
}

class CliJsonTest : public CliAppTest {
 protected:
  json RunJson(std::vector<std::string> args) {
    args.push_back("--json");
    EXPECT_EQ(kExitOk, Run(args)) << err.str();
    return json::parse(out.str());
  }
};

TEST_F(CliJsonTest, ShowNamesEveryVisibleControlOfTheTextOutput) {
  const std::string reg = MachineReg();
  std::vector<std::string> args = {"show"};
  for (const TreeItem& node : TreeItems(BuildTweakTable(), CatalogueDispatch()))
    args.push_back(std::to_string(node.tweakId));
  args.insert(args.end(), {"--registry", reg, "--windows", "98"});
  ASSERT_EQ(kExitOk, Run(args)) << err.str();
  const std::vector<std::string> text = Lines();
  const json document = RunJson(args);
  EXPECT_EQ(text, LinesOf(document));
  ASSERT_EQ(args.size() - 5, document["pages"].size());  // the TweakIds
  for (std::size_t i = 0; i < document["pages"].size(); ++i)
    EXPECT_EQ(args[i + 1], std::to_string(document["pages"][i]["tweakId"].get<int>()));
}

TEST_F(CliJsonTest, ApplyGivesItsAlertsAndItsPage) {
  const std::vector<std::string> args = {"apply", "3", "1013=1", "--windows", "98", "--registry", MachineReg()};
  ASSERT_EQ(kExitOk, Run(args)) << err.str();
  const std::vector<std::string> text = Lines();
  const json page = RunJson(args);
  EXPECT_EQ(text, LinesOf({{"pages", {page}}}));
  ASSERT_EQ(1u, page["alerts"].size());
  EXPECT_EQ("This Tweak is active only on Windows NT/2000/XP", page["alerts"][0]["text"]);
}

TEST_F(CliJsonTest, TreeAndFindGiveTheNodesOfTheirLines) {
  ASSERT_EQ(kExitOk, Run({"tree"}));
  const std::vector<std::string> lines = Lines();
  const json tree = RunJson({"tree"});
  ASSERT_EQ(lines.size(), tree["nodes"].size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const json& node = tree["nodes"][i];
    const std::size_t indent = lines[i].find_first_not_of(' ');
    EXPECT_EQ(indent / 2, node["depth"].get<std::size_t>());
    EXPECT_EQ(lines[i].substr(indent), std::to_string(node["id"].get<int>()) + ' ' + node["text"].get<std::string>());
    EXPECT_EQ(node["depth"] == 0, node["parent"].is_null());
  }
  EXPECT_EQ(13, tree["nodes"][14]["parent"]);  // a tweak of the Dr Watson group
  EXPECT_EQ("tweak", tree["nodes"][14]["kind"]);

  EXPECT_EQ(json::parse(R"({"matches": [{"id": 18, "title": "Control Whether Dr Watson Alarts Using Sound"},
                                        {"id": 24, "title": "Specify the Wave File for Sound Notification"}]})"),
            RunJson({"find", "watson", "sound"}));
}

TEST_F(CliJsonTest, BackupsAndUndoGiveWhatTheirLinesSay) {
  const std::string reg = WriteReg("r.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor]\r\n"
                                            "\"DisableUNCCheck\"=dword:00000000\r\n");
  ASSERT_EQ(kExitOk, Run({"apply", "3", "1013=1", "--registry", reg})) << err.str();
  EXPECT_EQ(json::parse(R"({"backups": [{"name": "2007-03-07_000001_3.reg", "tweakId": 3,
                                         "title": "Allow UNC Paths at the Command Prompt"}]})"),
            RunJson({"backups", "--registry", reg}));
  const json undone = RunJson({"undo", "3", "--registry", reg});
  EXPECT_EQ("2007-03-07_000001_3.reg", undone["restored"]);
  EXPECT_EQ(3, undone["tweakId"]);
  EXPECT_EQ(json::parse(R"({"id": 1013, "kind": "check", "state": 0, "enabled": true,
                            "text": "Allow UNC paths and remove the warning message"})"),
            undone["controls"][1]);
}

TEST(CliJsonText, AnsiTextBecomesUtf8) {
  EXPECT_EQ("caf\xc3\xa9 \xe2\x82\xac \xc3\xbf", JsonText("caf\xe9 \x80 \xff").get<std::string>());
  EXPECT_EQ("\"tab\\there\"", JsonText("tab\there").dump());
}

}  // namespace
}  // namespace corvandel
