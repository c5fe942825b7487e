#include "questionfile/QuestionFileChoice.h"

#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/File.h"
#include "platform/ProfileStore.h"
#include "quiz/QuestionRecord.h"
#include "quiz/RoundFile.h"

#include <algorithm>
#include <set>

namespace fs = std::filesystem;

namespace {

constexpr int kMaxCopyNumber = 9999;

std::string AsciiLower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return lower;
}

// A line break would end the entry and start another; leading blanks are read past.
bool IsStorable(std::string_view cp932)
{
    const bool bControl = std::any_of(cp932.begin(), cp932.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
    });
    return !bControl && !cp932.empty() && cp932.front() != ' ';
}

// ".txt" alone names a hidden file with no stem, not a question file.
bool IsTxtName(std::string_view name)
{
    return name.size() > 4 && AsciiLower(name.substr(name.size() - 4)) == ".txt";
}

bool ReadWhole(const fs::path& path, std::string& bytes, std::string& strError,
               bool* pNotRegular = nullptr)
{
    File file;
    if (!file.Open(path, File::modeRead)) {
        strError = file.Error();
        if (pNotRegular)
            *pNotRegular = file.NotRegular();
        return false;
    }
    if (!file.Read(bytes, file.GetLength())) {
        strError = file.Error();
        return false;
    }
    return true;
}

QuestionFileChoice Refuse(QuestionFileProblem problem, std::string strError = {})
{
    QuestionFileChoice choice;
    choice.check.problem = problem;
    choice.strError = std::move(strError);
    return choice;
}

bool InFolder(const fs::path& folder, const fs::path& file)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(file, ec);
    return !ec && fs::equivalent(absolute.parent_path(), folder, ec) && !ec;
}

// Copies bytes into folder under the first free name, or finds them there already under
// strName in any ASCII letter case; empty (with the reason) when neither. A name taken between
// the choice and the move only moves the copy on to the next.
std::string CopyIn(const fs::path& folder, const std::string& strName, std::string_view bytes,
                   bool& bWritten, std::string& strError)
{
    bWritten = false;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string strHere = Utf8FromPath(it->path().filename());
        std::string existing, strIgnored;
        if (AsciiLower(strHere) == AsciiLower(strName) && it->is_regular_file(ec) &&
            ReadWhole(it->path(), existing, strIgnored) && existing == bytes)
            return strHere;
    }
    for (int nAttempt = 0; nAttempt < 8; ++nAttempt) {
        const std::string strFree = FreeName(folder, strName);
        if (strFree.empty())
            break;
        AtomicFile file;
        if (file.Open(folder / PathFromUtf8(strFree)) && file.Write(bytes) && file.CommitNew()) {
            bWritten = true;
            return strFree;
        }
        strError = file.Error();
        if (!file.TargetExisted())
            return {};
    }
    if (strError.empty())
        strError = "no free name";
    return {};
}

std::string InBrackets(std::string_view text)
{
    return "（" + std::string(text) + "）";
}

std::string ProblemText(const QuestionFileChoice& choice)
{
    const QuestionFileCheck& check = choice.check;
    switch (check.problem) {
    case QuestionFileProblem::None:
        break;
    case QuestionFileProblem::Unreadable:
        return "ファイルを読み込めません" + InBrackets(choice.strError) + "。";
    case QuestionFileProblem::NotRegular:
        return Cp932::ToUtf8(NotRegularText());
    case QuestionFileProblem::NoRecord:
        return Cp932::ToUtf8(LengthProblemText(LengthProblem::NoRecord, check.nLength));
    case QuestionFileProblem::PartialRecord:
        return Cp932::ToUtf8(LengthProblemText(LengthProblem::PartialRecord, check.nLength));
    case QuestionFileProblem::Marker:
        return std::to_string(check.nBadRecord) +
               "問目の解答に、正解の印「*」がちょうど1つ付いていません。";
    case QuestionFileProblem::NotTxt:
        return "問題ファイルの名前は「.txt」で終わります。";
    case QuestionFileProblem::ReservedName:
        return "「ReadMe.txt」は説明書の名前なので、問題ファイルにできません。";
    case QuestionFileProblem::NameNotStorable:
        return "ファイル名に、設定ファイルに書けない文字（Shift-JIS "
               "にない文字、制御文字、先頭の空白）"
               "があります。名前を変えてから開いてください。";
    case QuestionFileProblem::WriteFailed:
        return "コピーか設定ファイルへの書き込みができませんでした" + InBrackets(choice.strError) +
               "。";
    }
    return {};
}

} // namespace

std::string ChoiceMessage(std::string_view utf8FileName, const QuestionFileChoice& choice)
{
    const std::string strFile(utf8FileName);
    if (!choice.Ok())
        return "「" + strFile + "」を問題ファイルにできません。\n" + ProblemText(choice);
    const std::string strName = Cp932::ToUtf8(choice.strName);
    const std::string strCount = "（" + std::to_string(choice.check.nRecords) + "問）。";
    if (choice.bCopied && strName != strFile)
        return "「" + strFile + "」をこのフォルダに「" + strName +
               "」としてコピーし、問題ファイルにしました" + strCount;
    if (choice.bCopied)
        return "「" + strName + "」をこのフォルダにコピーし、問題ファイルにしました" + strCount;
    return "「" + strName + "」を問題ファイルにしました" + strCount;
}

std::string FreeName(const fs::path& folder, std::string_view utf8Name)
{
    std::set<std::string> taken;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        taken.insert(AsciiLower(Utf8FromPath(it->path().filename())));

    const std::string strName(utf8Name);
    if (!taken.count(AsciiLower(strName)))
        return strName;
    const std::size_t nDot = strName.rfind('.');
    const std::string strStem = nDot == std::string::npos ? strName : strName.substr(0, nDot);
    const std::string strExt = nDot == std::string::npos ? std::string() : strName.substr(nDot);
    for (int n = 2; n <= kMaxCopyNumber; ++n) {
        std::string strCandidate = strStem + "(" + std::to_string(n) + ")" + strExt;
        if (!taken.count(AsciiLower(strCandidate)))
            return strCandidate;
    }
    return {};
}

QuestionFileChoice ChooseQuestionFile(ProfileStore& profile, const fs::path& folder,
                                      const fs::path& chosen)
{
    const std::string strUtf8Name = Utf8FromPath(chosen.filename());
    const std::optional<std::string> cp932Name = Cp932::FromUtf8(strUtf8Name);
    if (!cp932Name || !IsStorable(*cp932Name))
        return Refuse(QuestionFileProblem::NameNotStorable);
    if (!IsTxtName(strUtf8Name))
        return Refuse(QuestionFileProblem::NotTxt);
    if (strUtf8Name == "ReadMe.txt")
        return Refuse(QuestionFileProblem::ReservedName);

    std::string bytes, strError;
    bool bNotRegular = false;
    if (!ReadWhole(chosen, bytes, strError, &bNotRegular))
        return Refuse(bNotRegular ? QuestionFileProblem::NotRegular
                                  : QuestionFileProblem::Unreadable,
                      strError);
    QuestionFileChoice choice;
    choice.check = CheckQuestionBytes(bytes);
    if (!choice.Ok())
        return choice;

    std::string strName = strUtf8Name;
    if (!InFolder(folder, chosen)) {
        strName = CopyIn(folder, strUtf8Name, bytes, choice.bCopied, strError);
        if (strName.empty())
            return Refuse(QuestionFileProblem::WriteFailed, strError);
    }
    // The name in use differs from the chosen one only by ASCII letter case, digits and brackets.
    const std::string strCp932 = strName == strUtf8Name ? *cp932Name : *Cp932::FromUtf8(strName);

    // The question count stays as the learner set it: a round asks at most what the file holds.
    if (!profile.Write(ProfileKeys::kQuestionFile, strCp932)) {
        if (choice.bCopied)
            RemoveFile(folder / PathFromUtf8(strName));
        return Refuse(QuestionFileProblem::WriteFailed, std::string(ProfileKeys::kFileName));
    }
    choice.strName = strCp932;
    return choice;
}
