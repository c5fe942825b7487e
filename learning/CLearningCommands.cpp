#include "learning/CLearningCommands.h"

#include "facts/Facts.h"
#include "learning/AnswerHistory.h"
#include "learning/CMasteryPage.h"
#include "learning/CResultsDlg.h"
#include "learning/MasteryMap.h"
#include "learning/ResultsSummary.h"
#include "learning/ReviewFile.h"
#include "learning/ReviewSchedule.h"
#include "platform/Cp932.h"
#include "platform/File.h"
#include "platform/LocalTime.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"
#include "platform/QtText.h"
#include "quiz/QuizRound.h"
#include "quiz/RoundFile.h"

#include <QElapsedTimer>

namespace {

HistoryLog ReadHistoryHere()
{
    const std::optional<std::filesystem::path> path = PathInCurrentDir(kHistoryFileName);
    return path ? ReadHistory(*path) : HistoryLog{};
}

double SteadySeconds()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

} // namespace

CLearningCommands::CLearningCommands(ProfileStore& profile, QuizRound& round, QWidget* pWindow,
                                     WallClock wallClock)
    : QObject(pWindow), m_profile(profile), m_pWindow(pWindow), m_wallClock(std::move(wallClock)),
      m_recorder(m_wallClock, &SteadySeconds)
{
    round.AddObserver(&m_recorder);
}

void CLearningCommands::OnMenuReview()
{
    const std::string strName = m_profile.Get(ProfileKeys::kQuestionFile);
    const std::optional<std::filesystem::path> path = PathInCurrentDir(strName);
    std::string bytes;
    File file;
    if (!path || !file.Open(*path, File::modeRead) || !file.Read(bytes, file.GetLength())) {
        const QString reason = file.NotRegular() ? ToQString(NotRegularText()) : QString();
        AfxMessageBox(
            QStringLiteral("問題ファイル「%1」を読み込めません。").arg(ToQString(strName)) +
                (reason.isEmpty() ? QString() : u'\n' + reason),
            MB_OK | MB_ICONSTOP);
        return;
    }
    file.Close();
    if (const LengthProblem problem = CheckLength(bytes.size()); problem != LengthProblem::None) {
        AfxMessageBox(
            QStringLiteral("問題ファイル「%1」から復習ファイルを作れません。\n%2")
                .arg(ToQString(strName), ToQString(LengthProblemText(problem, bytes.size()))),
            MB_OK | MB_ICONSTOP);
        return;
    }
    std::error_code ec;
    const std::optional<NewQuestionFile> made =
        WriteReviewFile(m_profile, std::filesystem::current_path(ec), bytes,
                        ReviewSchedule(ReadHistoryHere().rows), m_wallClock());
    if (!made) {
        AfxMessageBox(QStringLiteral("復習する問題はありません。"), MB_OK | MB_ICONINFORMATION);
        return;
    }
    AfxMessageBox(QString::fromStdString(NewQuestionFileMessage(*made, "復習ファイル")),
                  made->Ok() ? MB_OK | MB_ICONINFORMATION : MB_OK | MB_ICONSTOP);
}

void CLearningCommands::OnMenuResults()
{
    const std::string strName = m_profile.Get(ProfileKeys::kQuestionFile);
    HistoryLog log = ReadHistoryHere();
    const ResultsSummary sum = SummarizeHistory(log.rows, Cp932::ToUtf8(strName));
    // Something that is no file in the history's place can never be written: say so at once.
    CResultsDlg dlg(sum, strName, m_recorder.WriteFailed() || log.bNotRegular, m_pWindow);
    const std::time_t now = m_wallClock();
    auto* pPage = new CMasteryPage(
        std::move(log),
        [now](const std::vector<HistoryRow>& rows) {
            return MasteryMap(rows, RecordKinds::ReadForRows(rows), Facts::Countries(),
                              LocalDay(now));
        },
        now);
    std::string strOpen;
    if (m_openCountry)
        // The 図鑑 cannot be used under the modal results window: close it first.
        pPage->SetOpenCountryHandler([&strOpen, &dlg](const std::string& code) {
            strOpen = code;
            dlg.accept();
        });
    pPage->SetDrillHandler([this](const std::vector<std::string>& codes,
                                  std::optional<StudyKind> kind) { DrillCountries(codes, kind); });
    dlg.AddMasteryPage(pPage);
    dlg.exec();
    if (!strOpen.empty())
        m_openCountry(strOpen);
}

void CLearningCommands::SetZukanLinks(CountryHandler openCountry, BytesSource worldFile)
{
    m_openCountry = std::move(openCountry);
    m_worldFile = std::move(worldFile);
}

void CLearningCommands::DrillCountries(const std::vector<std::string>& codes,
                                       std::optional<StudyKind> kind)
{
    const std::string records =
        m_worldFile ? QuestionsAbout(m_worldFile(), codes, kind) : std::string();
    if (records.empty()) {
        AfxMessageBox(QStringLiteral("要復習の国の問題は、同梱の問題ファイルにありません。"),
                      MB_OK | MB_ICONSTOP);
        return;
    }
    std::error_code ec;
    const NewQuestionFile made =
        AdoptNewQuestionFile(m_profile, std::filesystem::current_path(ec),
                             Cp932::FromUtf8("要復習-").value_or("-"), records, m_wallClock());
    AfxMessageBox(QString::fromStdString(NewQuestionFileMessage(made, "要復習の国の問題ファイル")),
                  made.Ok() ? MB_OK | MB_ICONINFORMATION : MB_OK | MB_ICONSTOP);
}
