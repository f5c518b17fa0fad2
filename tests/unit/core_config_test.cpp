#include "Config.h"
#include "ConfigPresets.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string writeTempFile(const std::string& content)
{
    char path[] = "/tmp/zolvi_config_XXXXXX";
    const int fd = mkstemp(path);
    EXPECT_NE(fd, -1);
    close(fd);
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

struct ConfigCase {
    const char* what;
    std::string file;
    std::vector<std::pair<std::string, std::string>> expected;
};

void PrintTo(const ConfigCase& c, std::ostream* out) { *out << c.what; }

class CoreConfigReader : public testing::TestWithParam<ConfigCase> {};

TEST_P(CoreConfigReader, LinesGiveSettings)
{
    const ConfigCase& c = GetParam();
    const std::string path = writeTempFile(c.file);
    ConfigPresets presets;
    testing::internal::CaptureStderr();
    presets.readConfiguration(path);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Reading configuration '" + path + "'\n");
    std::remove(path.c_str());
    for (const auto& [key, value] : c.expected)
        EXPECT_EQ(Config::getInstance()->get(key), value) << c.what << ", key " << key;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CoreConfigReader,
    testing::Values(
        ConfigCase{"third word ignored", "Router 10.0.0.2 #note\n", {{"Router", "10.0.0.2"}}},
        ConfigCase{"one word gives empty value", "Font fonts/\nFont\n", {{"Font", ""}}},
        ConfigCase{"second word with # gives empty value", "Shader sh/\nShader #none\n", {{"Shader", ""}}},
        ConfigCase{"comment line changes nothing", "Router 10.0.0.3\n#Router 10.0.0.4 more\n# x y\n",
                   {{"Router", "10.0.0.3"}, {"#Router", ""}, {"#", ""}}},
        ConfigCase{"keys are case-sensitive", "router 10.0.0.5\n", {{"router", "10.0.0.5"}, {"Router", "127.0.0.1"}}},
        ConfigCase{"later line wins", "Twice 1\nTwice 2\n", {{"Twice", "2"}}},
        ConfigCase{"CRLF lines", "Crlf value\r\nCrlfOne\r\nRouter 10.0.0.6\r\n",
                   {{"Crlf", "value"}, {"CrlfOne", ""}, {"Router", "10.0.0.6"}}},
        ConfigCase{"# inside a word is ordinary", "Hash a#b\n", {{"Hash", "a#b"}}},
        ConfigCase{"any white space separates", "  \tTabbed\t\tv1  \t\nVt\vv2\nFf\fv3\n",
                   {{"Tabbed", "v1"}, {"Vt", "v2"}, {"Ff", "v3"}}},
        ConfigCase{"blank lines skipped, last line without line feed", "\n   \n\t\nLast y",
                   {{"Last", "y"}}},
        ConfigCase{"presets stay under other keys", "EyePosX 1\n",
                   {{"RouterFeedBackPort", "12346"}, {"BufferSize", "1400"}, {"RouterPort", "12345"},
                    {"IPSize", "24"}, {"EyePosY", ""}}}),
    [](const testing::TestParamInfo<ConfigCase>& info) { return "Case" + std::to_string(info.index); });

TEST(CoreConfig, MissingFileKeepsSettings)
{
    ConfigPresets presets;
    Config::getInstance()->add("Router", "10.1.1.1");
    testing::internal::CaptureStderr();
    presets.readConfiguration("/nonexistent/zolvi.cfg");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Reading configuration '/nonexistent/zolvi.cfg'\n"
              "Could not open config file '/nonexistent/zolvi.cfg'\n");
    EXPECT_EQ(Config::getInstance()->get("Router"), "10.1.1.1");
}

TEST(CoreConfig, PresetsFollowHome)
{
    const char* saved = std::getenv("HOME");
    const std::string home = saved ? saved : "";

    setenv("HOME", "/home/someone", 1);
    { ConfigPresets presets; }
    EXPECT_EQ(Config::getInstance()->get("TextureDir"), "/home/someone");
    EXPECT_EQ(Config::getInstance()->get("ModelDir"), "/home/someone");

    unsetenv("HOME");
    { ConfigPresets presets; }
    EXPECT_EQ(Config::getInstance()->get("TextureDir"), "");
    EXPECT_EQ(Config::getInstance()->get("ModelDir"), "");

    if (saved)
        setenv("HOME", home.c_str(), 1);
}

TEST(CoreConfig, WriteConfigurationRoundTrips)
{
    ConfigPresets presets;
    Config::getInstance()->add("Written", "value");
    const std::string path = writeTempFile("");
    Config::getInstance()->writeConfiguration(path);
    Config::getInstance()->add("Written", "changed");
    presets.readConfiguration(path);
    std::remove(path.c_str());
    EXPECT_EQ(Config::getInstance()->get("Written"), "value");
    EXPECT_EQ(Config::getInstance()->get("RouterFeedBackPort"), "12346");
}

TEST(CoreStringToDouble, ReadsLeadingNumber)
{
    const std::vector<std::pair<std::string, double>> cases = {
        {"12346", 12346}, {"", 0}, {"abc", 0}, {"  -3.5", -3.5}, {"\t42", 42}, {"+7", 7},
        {"1e3", 1000}, {".5", 0.5}, {"12abc", 12}, {"nan", 0}, {"inf", 0}, {"-", 0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_DOUBLE_EQ(stringToDouble(text), expected) << "text '" << text << "'";
}

}  // namespace
