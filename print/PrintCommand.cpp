#include "print/PrintCommand.h"

#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/File.h"
#include "print/PdfFile.h"
#include "print/PrintRequest.h"

#include <QGuiApplication>

#include <ctime>
#include <memory>
#include <ostream>

namespace {

constexpr int kUsageError = 2;

struct PrintArgs
{
    PrintRequest request;
    std::string strFile;
    std::string strOut;
    bool bKindGiven = false;
};

std::optional<PrintArgs> Parse(const std::vector<std::string>& args, std::ostream& err)
{
    PrintArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto kind = [&](PrintRequest::Kind k) {
            parsed.request.kind = k;
            if (parsed.bKindGiven)
                return false;
            return parsed.bKindGiven = true;
        };
        if (arg == "--sheet" || arg == "--cards") {
            if (!kind(arg == "--sheet" ? PrintRequest::Kind::Sheet : PrintRequest::Kind::Cards))
                return std::nullopt;
        } else if (arg == "--map" && i + 1 < args.size()) {
            const std::optional<int> nContinent = ContinentNamed(args[++i]);
            if (!nContinent) {
                err << "州の名前ではありません: " << args[i]
                    << "（アジア州、ヨーロッパ州、アフリカ州、北アメリカ州、南アメリカ州、"
                       "オセアニア州、世界）\n";
                return std::nullopt;
            }
            parsed.request.nContinent = *nContinent;
            if (!kind(PrintRequest::Kind::Map))
                return std::nullopt;
        } else if (arg == "-o" && i + 1 < args.size()) {
            parsed.strOut = args[++i];
        } else if (arg == "--b5") {
            parsed.request.options.paper = Paper::B5;
        } else if (arg == "--no-key") {
            parsed.request.options.bAnswerKey = false;
        } else if (!arg.starts_with("-") && parsed.strFile.empty()) {
            parsed.strFile = arg;
        } else {
            return std::nullopt;
        }
    }
    const bool bNeedsFile = parsed.request.kind != PrintRequest::Kind::Map;
    if (!parsed.bKindGiven || (bNeedsFile && parsed.strFile.empty()))
        return std::nullopt;
    return parsed;
}

} // namespace

int RunPrintCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::optional<PrintArgs> parsed = Parse(args, err);
    if (!parsed) {
        err << "使い方: marelto-questions print FILE --sheet|--cards [-o PDF] [--b5] [--no-key]\n"
               "        marelto-questions print [FILE] --map 州|世界 [-o PDF] [--b5] [--no-key]\n";
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
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
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
    std::string strError;
    if (!WriteFileAtomically(PathFromUtf8(parsed->strOut),
                             std::string_view(pdf.constData(), std::size_t(pdf.size())),
                             &strError)) {
        err << parsed->strOut << ": 書き込めません（" << strError << "）\n";
        return 1;
    }
    out << parsed->strOut << "\n";
    return 0;
}
