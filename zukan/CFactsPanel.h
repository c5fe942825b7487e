#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>
#include <utility>
#include <vector>

class QLabel;
struct LearnerRecord;
namespace Facts {
struct Country;
}

// The facts of the chosen country beside the 図鑑's list: its flag, names, capital, 州 and
// region, languages, the facts table's note, and the learner's record. Each value is a label a
// screen reader reads with its meaning ("首都 東京").
class CFactsPanel : public QWidget
{
    Q_OBJECT

  public:
    explicit CFactsPanel(QWidget* pParent);

    // Null: nothing chosen. pRecord null: never asked. nToday: the local date, for the due date.
    void Show(const Facts::Country* pCountry, const LearnerRecord* pRecord, std::int64_t nToday);

    // The value label of a field, by its caption without the colon ("首都"); for tests.
    QLabel* Value(const QString& caption) const;

  private:
    void SetValue(QLabel* pValue, const QString& text);

    QLabel* m_pFlag = nullptr;
    std::vector<std::pair<QString, QLabel*>> m_fields; // caption, value
};
