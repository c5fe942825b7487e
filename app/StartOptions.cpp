#include "app/StartOptions.h"

#include "platform/CommandLine.h"

#include <algorithm>
#include <array>

namespace {

struct QtOption
{
    std::string_view name; // without its dash
    bool bValue;           // takes the next argument, unless given as -name=value
};

// The options QGuiApplication and QApplication take for themselves.
constexpr std::array<QtOption, 20> kQtOptions{{
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"session", true},
    {"display", true},
    {"geometry", true},
    {"title", true},
    {"icon", true},
    {"name", true},
    {"style", true},
    {"stylesheet", true},
    {"qmljsdebugger", true},
    {"reverse", false},
    {"widgetcount", false},
    {"nograb", false},
    {"dograb", false},
}};

// The Qt option arg names, or none; Qt reads -name and --name alike.
const QtOption* FindQtOption(std::string_view arg)
{
    if (!arg.starts_with('-'))
        return nullptr;
    arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
    arg = arg.substr(0, arg.find('='));
    const auto it = std::find_if(kQtOptions.begin(), kQtOptions.end(),
                                 [arg](const QtOption& o) { return o.name == arg; });
    return it == kQtOptions.end() ? nullptr : &*it;
}

std::string HelpText(bool bJapanese, std::string_view dataDir)
{
    const std::string strData(dataDir);
    if (bJapanese)
        return "使い方: marelto [オプション]\n"
               "国旗と、その国の首都・地域・公用語を覚える練習ソフトです。開始を押すと、4 つの\n"
               "答えから選ぶ問題が続きます。今いるフォルダーの問題ファイルと設定で出題し、\n"
               "答えの記録もそこに残します。デスクトップのメニューからは marelto-launcher が\n"
               "~/.local/share/marelto で起動します。\n"
               "\n"
               "オプション:\n"
               "  -h, --help     この説明を表示して終わる\n"
               "  --version      版を表示して終わる\n"
               "Qt のオプション（-platform 名前、-style 名前など）も使えます。\n"
               "\n"
               "ファイル（今いるフォルダー）:\n"
               "  *.txt                 問題ファイル（Shift_JIS、1 問 420 バイト）\n"
               "  Parameter.INI         設定（Shift_JIS）\n"
               "  marelto-history.tsv   答えの記録（UTF-8）\n"
               "  復習-*.txt, 図鑑-*.txt 復習と国旗図鑑で作った問題ファイル\n"
               "同梱の問題ファイルと説明書: " +
               strData + "\n";
    return "Usage: marelto [OPTION]\n"
           "A trainer for national flags and facts about their countries: capitals, regions\n"
           "and official languages, with a Japanese interface. Press 開始 for a round of\n"
           "questions with four answers to choose from. It plays from the question files and\n"
           "settings in the current folder and keeps its history there; from the desktop's\n"
           "menu, marelto-launcher starts it in ~/.local/share/marelto.\n"
           "\n"
           "Options:\n"
           "  -h, --help     show this help and exit\n"
           "  --version      show the version and exit\n"
           "Qt's own options (-platform NAME, -style NAME, ...) are accepted too.\n"
           "\n"
           "Files (in the current folder):\n"
           "  *.txt                 question files (Shift_JIS, 420 bytes a question)\n"
           "  Parameter.INI         settings (Shift_JIS)\n"
           "  marelto-history.tsv   answer history (UTF-8)\n"
           "  復習-*.txt, 図鑑-*.txt question files made by the review and the flag atlas\n"
           "Bundled question files and manual: " +
           strData + "\n";
}

} // namespace

StartReply ReadStartOptions(const std::vector<std::string>& args, bool bJapanese,
                            std::string_view dataDir)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help")
            return {false, 0, HelpText(bJapanese, dataDir), ""};
        if (arg == "--version")
            return {false, 0, VersionText("marelto"), ""};
        if (const QtOption* pQt = FindQtOption(arg)) {
            if (pQt->bValue && arg.find('=') == std::string::npos)
                ++i;
            continue;
        }
        return {false, kUsageError, "", UnknownOptionText("marelto", arg, bJapanese)};
    }
    return {};
}
