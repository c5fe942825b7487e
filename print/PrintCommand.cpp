#include "print/PrintCommand.h"

#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/File.h"
#include "print/PdfFile.h"
#include "print/PrintRequest.h"

#include <QGuiApplication>

#include <cstdio>
#include <ctime>
#include <memory>
#include <ostream>
#include <string_view>

namespace {

constexpr int kUsageError = 2;

struct PrintArgs
{
    PrintRequest request;
    std::string strFile;
    std::string strOut;
};

constexpr std::string_view kUsage = "marelto-questions print FILE --sheet|--cards|--map 州|世界 "
                                    "[-o PDF] [--b5] [--no-key]";

// Empty with the one line to say in *pError when the arguments are no print command.
std::optional<PrintArgs> Parse(const std::vector<std::string>& args, std::string* pError)
{
    PrintArgs parsed;
    int nKinds = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--sheet" || arg == "--cards") {
            parsed.request.kind =
                arg == "--sheet" ? PrintRequest::Kind::Sheet : PrintRequest::Kind::Cards;
            ++nKinds;
        } else if (arg == "--map" && i + 1 < args.size()) {
            const std::optional<int> nContinent = ContinentNamed(args[++i]);
            if (!nContinent) {
                *pError = "州の名前ではありません: " + args[i] +
                          "（アジア州、ヨーロッパ州、アフリカ州、北アメリカ州、南アメリカ州、"
                          "オセアニア州、世界）";
                return std::nullopt;
            }
            parsed.request.kind = PrintRequest::Kind::Map;
            parsed.request.nContinent = *nContinent;
            ++nKinds;
        } else if (arg == "-o" && i + 1 < args.size()) {
            parsed.strOut = args[++i];
        } else if (arg == "--b5") {
            parsed.request.options.paper = Paper::B5;
        } else if (arg == "--no-key") {
            parsed.request.options.bAnswerKey = false;
        } else if (!arg.starts_with("-") && parsed.strFile.empty()) {
            parsed.strFile = arg;
        } else {
            *pError = "知らないオプションです: " + arg + "（使い方: " + std::string(kUsage) + "）";
            return std::nullopt;
        }
    }
    const bool bNeedsFile = parsed.request.kind != PrintRequest::Kind::Map;
    if (nKinds != 1 || (bNeedsFile && parsed.strFile.empty())) {
        *pError = "使い方: " + std::string(kUsage);
        return std::nullopt;
    }
    return parsed;
}

} // namespace

int RunPrintCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string strError;
    std::optional<PrintArgs> parsed = Parse(args, &strError);
    if (!parsed) {
        err << "marelto-questions: " << strError << "\n";
        return kUsageError;
    }
    PrintRequest& request = parsed->request;
    if (!parsed->strFile.empty()) {
        File file;
        if (!file.Open(PathFromUtf8(parsed->strFile), File::modeRead) ||
            !file.Read(request.questionFile, file.GetLength())) {
            err << parsed->strFile << ": 読み込めません（" << file.Error() << "）\n";
            return 1;
        }
        request.options.strSource = Utf8FromPath(PathFromUtf8(parsed->strFile).filename());
    }
    // Fonts and pictures need the application object; no window is ever shown.
    std::unique_ptr<QGuiApplication> pApp;
    if (!QGuiApplication::instance()) {
        // The command's own messages only: Qt's notes on the session (no runtime folder, say)
        // are no concern of someone making a PDF.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fputs((msg + u'\n').toLocal8Bit().constData(), stderr);
        });
#ifndef _WIN32
        // Drawn without a display, also over ssh or in a script where one is set but absent.
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        static int nArgc = 1;
        static char szName[] = "marelto-questions";
        static char* argv[] = {szName, nullptr};
        pApp = std::make_unique<QGuiApplication>(nArgc, argv);
    }
    if (parsed->strOut.empty()) {
        std::error_code ec;
        const StampedFile made =
            WritePdf(std::filesystem::current_path(ec), request, std::time(nullptr));
        if (!made.bWritten && made.strError.empty()) {
            err << "印刷するものがありません\n";
            return 1;
        }
        if (!made.bWritten) {
            err << "PDF を書き込めません（" << made.strError << "）\n";
            return 1;
        }
        out << Cp932::ToUtf8(made.strName) << "\n";
        return 0;
    }
    const QByteArray pdf = MakePdf(request);
    if (pdf.isEmpty()) {
        err << "印刷するものがありません\n";
        return 1;
    }
    if (!WriteFileAtomically(PathFromUtf8(parsed->strOut),
                             std::string_view(pdf.constData(), std::size_t(pdf.size())),
                             &strError)) {
        err << parsed->strOut << ": 書き込めません（" << strError << "）\n";
        return 1;
    }
    out << parsed->strOut << "\n";
    return 0;
}
