#include "editor/CEditDlg.h"
#include "platform/Cp932.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"
#include "quiz/CQuizDlg.h"
#include "quiz/QuestionRecord.h"
#include "settings/CSettingDlg.h"
#include "tools/questions/BundledFiles.h"
#include "tools/questions/FieldText.h"

#include "QtTestSupport.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Parameter.INI names the file in cp932; on disk its name is UTF-8. The settings list selects
// it, the editor lists its records and a round draws its first question with the flag.
TEST(BundledFileNamesTest, ACp932NameInTheSettingsFindsTheUtf8FileOnDisk)
{
    MessageBoxCapture boxes;
    for (const BundledFile& file : BundledFiles()) {
        const std::string strName(file.strName);
        SCOPED_TRACE(strName);
        PlayFolder dir;
        const std::string bytes = dir.PutBundled(strName);
        WriteFileBytes(dir / "other.txt", TemplateRecord());
        ProfileStore& store = dir.Store();
        store.WriteProfileStringA("QUESTION", "1", Cp932::FromUtf8(strName).value());
        store.WriteProfileInt("TIME_LIMIT", "1", 60);
        const int nRecords = static_cast<int>(RecordCount(bytes.size()));

        CSettingDlg settings(store);
        auto* pList = settings.findChild<QListWidget*>("list");
        ASSERT_NE(pList->currentItem(), nullptr);
        EXPECT_EQ(pList->currentItem()->text(), QString::fromStdString(strName));
        EXPECT_EQ(settings.findChild<QSlider*>("sliderCount")->maximum(), nRecords);

        CEditDlg editor(store);
        EXPECT_EQ(editor.findChild<QComboBox*>("questionNo")->count(), nRecords);

        CQuizDlg quiz(store, nullptr, QuizTiming{5, 1});
        quiz.show();
        QTest::mouseClick(quiz.findChild<QPushButton*>("start"), Qt::LeftButton);
        const QuestionRecord first = SplitRecord(bytes.substr(0, kRecordSize));
        EXPECT_EQ(quiz.findChild<QLineEdit*>("question")->text().trimmed().toStdString(),
                  Cp932::ToUtf8(FieldText::TrimPadding(first.strQuizQuestion)));
        EXPECT_FALSE(quiz.findChild<QLabel*>("flag")->pixmap().isNull());
        quiz.close();
    }
    EXPECT_TRUE(boxes.Messages().empty()) << boxes.Messages().front().text.toStdString();
}

} // namespace
