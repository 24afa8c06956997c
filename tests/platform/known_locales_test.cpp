// The conventions read from the built-in table of locales against those Qt gives, for every name
// the table holds and for the ways the environment's variables combine. Qt reads the locale
// environment once in a process, so each environment is tried in a child process of its own.

#include "platform/known_locales.h"

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/known_locales_table.h"
#include "platform/qt_regional_settings.h"

namespace vantrel::platform {
namespace {

using Environment = std::vector<std::pair<const char*, std::string>>;

enum Outcome { Agrees = 0, Declines = 1, Differs = 2 };

// In the child: the environment exactly as given, and on a difference the first differing field
// written to `report`.
[[noreturn]] void compareInChild(const Environment& environment, int report)
{
    for (const char* variable :
         {"LC_ALL", "LC_TIME", "LC_NUMERIC", "LC_MESSAGES", "LANG", "LANGUAGE"})
        unsetenv(variable);
    for (const auto& [variable, value] : environment)
        setenv(variable, value.c_str(), 1);
    const auto tabled = tabledSystemRegionalSettings();
    if (!tabled)
        _exit(Declines);
    const core::RegionalSettings qt = systemRegionalSettings();
    const auto ours = locale_table::fieldsOf(*tabled);
    const auto theirs = locale_table::fieldsOf(qt);
    for (std::size_t i = 0; i < ours.size(); ++i) {
        if (*ours[i] != *theirs[i]) {
            const std::string text = "field " + std::to_string(i) + ": table '" + *ours[i] +
                                     "', Qt '" + *theirs[i] + "'";
            (void)!write(report, text.data(), text.size());
            _exit(Differs);
        }
    }
    _exit(Agrees);
}

std::pair<Outcome, std::string> compare(const Environment& environment)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {Differs, "no pipe"};
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        compareInChild(environment, pipeEnds[1]);
    }
    close(pipeEnds[1]);
    std::string report;
    char buffer[256];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(got));
    close(pipeEnds[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return {Differs, "the child failed"};
    return {static_cast<Outcome>(WEXITSTATUS(status)), report};
}

std::string describe(const Environment& environment)
{
    std::string text;
    for (const auto& [variable, value] : environment)
        text += std::string(variable) + "='" + value + "' ";
    return text;
}

TEST(TabledRegionalSettings, EveryNameInTheTableAgreesWithQtWithAndWithoutCodeset)
{
    const auto names = tabledLocaleNames();
    ASSERT_GT(names.size(), 500u);
    for (const std::string_view name : names) {
        for (const Environment& environment :
             {Environment{{"LC_ALL", std::string(name)}},
              Environment{{"LANG", std::string(name) + ".UTF-8"}}}) {
            const auto [outcome, report] = compare(environment);
            EXPECT_EQ(outcome, Agrees) << describe(environment) << report;
        }
    }
}

TEST(TabledRegionalSettings, EnvironmentsAgreeWithQtWhereTheTableAnswers)
{
    const struct {
        const char* name;
        Environment environment;
        bool mustAnswer;
    } rows[] = {
        {"nothing set", {}, true},
        {"LC_ALL over the rest",
         {{"LC_ALL", "de_DE.UTF-8"},
          {"LC_TIME", "fr_FR"},
          {"LC_NUMERIC", "en_US"},
          {"LANG", "ja_JP"}},
         true},
        {"LC_TIME alone", {{"LC_TIME", "fr_FR"}}, true},
        {"LANG alone", {{"LANG", "en_US.UTF-8"}}, true},
        {"LC_NUMERIC apart from LC_TIME",
         {{"LC_TIME", "en_US.UTF-8"}, {"LC_NUMERIC", "de_DE.UTF-8"}},
         true},
        {"LANG under both", {{"LC_NUMERIC", "fr_FR"}, {"LANG", "en_GB.utf8"}}, true},
        {"empty LC_ALL counts as unset",
         {{"LC_ALL", ""}, {"LC_TIME", "de_DE"}, {"LANG", "fi_FI"}},
         true},
        {"C", {{"LANG", "C"}}, true},
        {"C.UTF-8 over LANG", {{"LC_ALL", "C.UTF-8"}, {"LANG", "de_DE.UTF-8"}}, true},
        {"POSIX dates, LANG numbers", {{"LC_TIME", "POSIX"}, {"LANG", "de_DE.UTF-8"}}, true},
        {"C numbers, LANG dates", {{"LC_NUMERIC", "C"}, {"LANG", "de_DE.UTF-8"}}, true},
        {"language alone", {{"LANG", "sr"}}, true},
        {"unknown language", {{"LANG", "xx_YY.UTF-8"}}, false},
        {"unknown territory", {{"LC_TIME", "de_XX"}}, false},
        {"unknown numbers", {{"LC_NUMERIC", "qq"}, {"LANG", "de_DE"}}, false},
        {"modifier", {{"LANG", "sr_RS@latin"}}, false},
        {"codeset and modifier", {{"LC_TIME", "de_DE.UTF-8@euro"}}, false},
        {"lower-case territory", {{"LANG", "de_de"}}, false},
        {"hyphen", {{"LANG", "de-DE"}}, false},
        {"leading blank", {{"LANG", " de_DE"}}, false},
        {"bare dot", {{"LANG", "de_DE."}}, false},
    };
    for (const auto& row : rows) {
        const auto [outcome, report] = compare(row.environment);
        EXPECT_NE(outcome, Differs) << row.name << ": " << report;
        if (row.mustAnswer) {
            EXPECT_EQ(outcome, Agrees) << row.name;
        }
    }
}

}  // namespace
}  // namespace vantrel::platform
