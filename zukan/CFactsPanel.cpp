#include "zukan/CFactsPanel.h"

#include "facts/FactsTable.h"
#include "platform/Accessibility.h"
#include "platform/CDialogUnits.h"
#include "platform/FlagOutline.h"
#include "platform/Resources.h"
#include "zukan/LearnerRecord.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// In dialog units.
constexpr int kFlagCx = 84, kFlagCy = 56;

const QString kNone = QStringLiteral("なし");

QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The form with its readings when written in kanji: 日本（にほん、にっぽん）.
QString WithReading(const Facts::Country& country, std::string_view form)
{
    for (const Facts::Reading& reading : country.readings)
        if (reading.text == form && !reading.kana.empty()) {
            QStringList kana;
            for (std::string_view k : reading.kana)
                kana << Utf8(k);
            return Utf8(form) + u'（' + kana.join(u'、') + u'）';
        }
    return Utf8(form);
}

// Every form after the first, or なし.
QString OtherForms(const Facts::Country& country, const std::vector<std::string_view>& forms)
{
    QStringList others;
    for (std::size_t i = 1; i < forms.size(); ++i)
        others << WithReading(country, forms[i]);
    return others.isEmpty() ? kNone : others.join(u'、');
}

QString Region(const Facts::Country& country)
{
    QString text = Utf8(country.region);
    if (!country.regionAlso.empty()) {
        QStringList also;
        for (std::string_view region : country.regionAlso)
            also << Utf8(region);
        text += QStringLiteral("（%1とされることもある）").arg(also.join(u'、'));
    }
    return text;
}

// 韓国語（朝鮮語）、…: each language with its other names.
QString Languages(const Facts::Country& country)
{
    QStringList languages;
    for (const Facts::Language& language : country.languages) {
        QString text = Utf8(language.names.front());
        if (language.names.size() > 1) {
            QStringList others;
            for (std::size_t i = 1; i < language.names.size(); ++i)
                others << Utf8(language.names[i]);
            text += u'（' + others.join(u'、') + u'）';
        }
        languages << text;
    }
    return languages.join(u'、');
}

// Space-separated items of the table joined for reading, or なし.
QString Listed(const std::vector<std::string_view>& items)
{
    QStringList texts;
    for (std::string_view item : items)
        texts << Utf8(item);
    return texts.isEmpty() ? kNone : texts.join(u'、');
}

} // namespace

CFactsPanel::CFactsPanel(QWidget* pParent) : QWidget(pParent)
{
    const CDialogUnits du(font());
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    m_pFlag = new QLabel(this);
    m_pFlag->setObjectName(QStringLiteral("factsFlag"));
    m_pFlag->setFixedSize(du.Size(kFlagCx, kFlagCy));
    m_pFlag->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    pLayout->addWidget(m_pFlag);

    auto* pForm = new QFormLayout;
    pForm->setHorizontalSpacing(du.X(4));
    pForm->setVerticalSpacing(du.Y(2));
    pForm->setRowWrapPolicy(QFormLayout::DontWrapRows);
    pForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    pLayout->addLayout(pForm);
    for (const char* szCaption :
         {"国名", "別名", "首都", "首都のほかの答え", "ほかに首都とされた都市", "州", "地域",
          "公用語", "一部で公用語", "注記", "出題回数", "正解率", "最後の解答", "次の復習"}) {
        const QString caption = QString::fromUtf8(szCaption);
        auto* pCaption = new QLabel(caption + u'：', this);
        auto* pValue = new QLabel(this);
        pValue->setWordWrap(true);
        pValue->setTextInteractionFlags(Qt::TextSelectableByMouse);
        pValue->setObjectName(QStringLiteral("fact%1").arg(m_fields.size()));
        pForm->addRow(pCaption, pValue);
        m_fields.emplace_back(caption, pValue);
    }
    pLayout->addStretch(1);
    Show(nullptr, nullptr, 0);
}

QLabel* CFactsPanel::Value(const QString& caption) const
{
    for (const auto& [strCaption, pValue] : m_fields)
        if (strCaption == caption)
            return pValue;
    return nullptr;
}

void CFactsPanel::SetValue(QLabel* pValue, const QString& text)
{
    for (const auto& [strCaption, pLabel] : m_fields)
        if (pLabel == pValue)
            ShowLabelValue(pValue, strCaption, text);
}

void CFactsPanel::Show(const Facts::Country* pCountry, const LearnerRecord* pRecord,
                       std::int64_t nToday)
{
    if (!pCountry) {
        m_pFlag->clear();
        m_pFlag->setAccessibleName(QStringLiteral("国旗"));
        for (const auto& [strCaption, pValue] : m_fields)
            SetValue(pValue, QString());
        SetValue(m_fields.front().second,
                 QStringLiteral("国旗を選ぶと、ここにその国のことが出ます。"));
        return;
    }
    const Facts::Country& c = *pCountry;
    const QString name = Utf8(c.names.front());
    m_pFlag->setPixmap(
        OutlinedFlag(LoadFlagPicture(c.code, m_pFlag->size(), devicePixelRatioF()), palette()));
    SetAccessibleName(m_pFlag, name + QStringLiteral("の国旗"));
    const QString values[] = {
        WithReading(c, c.names.front()),
        OtherForms(c, c.names),
        c.capitals.empty() ? kNone : WithReading(c, c.capitals.front()),
        OtherForms(c, c.capitals),
        Listed(c.capitalAlso),
        Utf8(c.continent) + QStringLiteral("州"),
        Region(c),
        Languages(c),
        Listed(c.languagesAlso),
        c.noteJa.empty() ? kNone : Utf8(c.noteJa),
        QString::fromUtf8(AskedText(pRecord)),
        QString::fromUtf8(RateText(pRecord)),
        QString::fromUtf8(LastAnswerText(pRecord)),
        QString::fromUtf8(DueText(pRecord, nToday)),
    };
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        SetValue(m_fields[i].second, values[i]);
}
