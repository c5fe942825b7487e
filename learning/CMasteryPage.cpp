#include "learning/CMasteryPage.h"

#include "facts/Facts.h"
#include "learning/AnswerHistory.h"
#include "learning/CMasteryMapView.h"
#include "learning/CStateBar.h"
#include "platform/Accessibility.h"
#include "platform/CDialogUnits.h"
#include "platform/FileDialog.h"
#include "platform/LocalTime.h"
#include "platform/MessageBox.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>

#include <cmath>

namespace {

QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString StateName(int nState)
{
    return QString::fromUtf8(MasteryName(static_cast<Mastery>(nState)));
}

// "2026-12-08T19:03:11+09:00" as "2026/12/08 19:03".
QString ShortTime(std::string_view time)
{
    if (time.size() < 16)
        return Utf8(time);
    QString text = Utf8(time.substr(0, 16));
    text.replace(QLatin1Char('-'), QLatin1Char('/')).replace(QLatin1Char('T'), QLatin1Char(' '));
    return text;
}

QPixmap Swatch(int nState, QSize size, qreal dDpr)
{
    QPixmap pixmap(size * dDpr);
    pixmap.setDevicePixelRatio(dDpr);
    pixmap.fill(CMasteryMapView::StateColor(nState));
    QPainter painter(&pixmap);
    if (CMasteryMapView::Hatched(nState))
        painter.fillRect(QRect(QPoint(), size), CMasteryMapView::HatchBrush());
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
    return pixmap;
}

} // namespace

CMasteryPage::CMasteryPage(HistoryLog log, MapBuilder build, std::time_t now, QWidget* pParent)
    : QWidget(pParent), m_build(std::move(build)), m_log(std::move(log)), m_now(now)
{
    setObjectName(QStringLiteral("masteryPage"));
    setFont(DialogFont()); // laid out before it joins the results window
    const CDialogUnits du(font());
    setFixedSize(du.Size(340, 296));

    m_pHeadline = new QLabel(this);
    m_pHeadline->setObjectName(QStringLiteral("masteryHeadline"));
    QFont big = font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    m_pHeadline->setFont(big);
    m_pHeadline->setGeometry(du.Rect(7, 3, 200, 22));
    m_pHeadline->setFocusPolicy(Qt::TabFocus); // reachable, so it is read out

    auto* pKindLabel = new QLabel(QStringLiteral("種類(&K):"), this);
    pKindLabel->setGeometry(du.Rect(222, 9, 36, 9));
    pKindLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pKind = new QComboBox(this);
    m_pKind->setObjectName(QStringLiteral("masteryKind"));
    m_pKind->setAccessibleName(QStringLiteral("種類"));
    m_pKind->setGeometry(du.Rect(261, 7, 72, 13));
    m_pKind->addItem(QStringLiteral("すべての種類"));
    for (int k = 0; k < kStudyKinds - 1; ++k) // その他 is no kind to filter by
        m_pKind->addItem(QString::fromUtf8(StudyKindName(static_cast<StudyKind>(k))));
    pKindLabel->setBuddy(m_pKind);
    connect(m_pKind, &QComboBox::currentIndexChanged, this, [this] {
        if (m_map)
            Refresh();
    });

    m_pMap = new CMasteryMapView(this);
    m_pMap->setObjectName(QStringLiteral("masteryMap"));
    m_pMap->setGeometry(du.Rect(7, 26, 326, 166));

    auto* pLegend = new QLabel(QStringLiteral("凡例"), this);
    pLegend->setGeometry(du.Rect(7, 197, 80, 9));
    const QSize swatch = du.Size(12, 7);
    // 習得 first, as the bars.
    for (int nState : {3, 2, 1, 0}) {
        const int nRow = 3 - nState;
        auto* pSwatch = new QLabel(this);
        pSwatch->setPixmap(Swatch(nState, swatch, devicePixelRatioF()));
        pSwatch->setGeometry(du.Rect(7, 208 + nRow * 12, 12, 7));
        auto* pText = new QLabel(this);
        pText->setObjectName(QStringLiteral("legend%1").arg(nState));
        pText->setGeometry(du.Rect(23, 207 + nRow * 12, 80, 9));
        pText->setFocusPolicy(Qt::TabFocus);
        m_legend[std::size_t(nState)] = pText;
    }

    auto* pBarsLabel = new QLabel(QStringLiteral("州別（習得/国数）"), this);
    pBarsLabel->setGeometry(du.Rect(110, 197, 80, 9));
    for (std::size_t i = 0; i < Facts::kContinents.size(); ++i) {
        const int nY = 207 + int(i) * 12;
        auto* pName = new QLabel(Utf8(Facts::kContinents[i]) + QStringLiteral("州"), this);
        pName->setGeometry(du.Rect(110, nY, 50, 9));
        auto* pBar = new CStateBar(this);
        pBar->setObjectName(QStringLiteral("continentBar%1").arg(i));
        pBar->setGeometry(du.Rect(162, nY + 1, 120, 7));
        auto* pCount = new QLabel(this);
        pCount->setGeometry(du.Rect(286, nY, 47, 9));
        m_bars.push_back(pBar);
        m_barTexts.push_back(pCount);
    }

    m_pDrill = new QPushButton(QStringLiteral("要復習の国を出題(&R)"), this);
    m_pDrill->setObjectName(QStringLiteral("masteryDrill"));
    m_pDrill->setGeometry(du.Rect(7, 281, 90, 14));
    connect(m_pDrill, &QPushButton::clicked, this, &CMasteryPage::OnButtonDrill);
    m_pSave = new QPushButton(QStringLiteral("地図を画像で保存(&I)..."), this);
    m_pSave->setObjectName(QStringLiteral("masterySave"));
    m_pSave->setGeometry(du.Rect(101, 281, 90, 14));
    connect(m_pSave, &QPushButton::clicked, this, &CMasteryPage::OnButtonSaveImage);
}

void CMasteryPage::showEvent(QShowEvent* pEvent)
{
    EnsureBuilt();
    QWidget::showEvent(pEvent);
}

void CMasteryPage::EnsureBuilt()
{
    if (m_map)
        return;
    m_map.emplace(m_build(m_log.rows));
    Refresh();
}

const std::vector<CountryMastery>& CMasteryPage::States()
{
    EnsureBuilt();
    return m_states;
}

void CMasteryPage::SetOpenCountryHandler(CountryHandler handler)
{
    m_pMap->SetDoubleClickHandler(std::move(handler));
}

void CMasteryPage::SetKindFilter(int nIndex)
{
    m_pKind->setCurrentIndex(nIndex);
}

std::optional<StudyKind> CMasteryPage::Kind() const
{
    const int n = m_pKind->currentIndex();
    return n <= 0 ? std::nullopt : std::optional<StudyKind>(static_cast<StudyKind>(n - 1));
}

QString CMasteryPage::Headline()
{
    EnsureBuilt();
    const int nTotal = static_cast<int>(m_states.size());
    const int nMastered = m_counts[std::size_t(Mastery::Mastered)];
    return QStringLiteral("習得 %1/%2 (%3 %)")
        .arg(nMastered)
        .arg(nTotal)
        .arg(nTotal ? qRound(100.0 * nMastered / nTotal) : 0);
}

QString CMasteryPage::CountryText(std::size_t nCountry) const
{
    const Facts::Country& country = Facts::Countries()[nCountry];
    const CountryMastery& c = m_states[nCountry];
    QString text = (country.names.empty() ? Utf8(country.code) : Utf8(country.names[0])) +
                   QStringLiteral("：") + StateName(int(c.state));
    if (c.nLastRow >= 0 && std::size_t(c.nLastRow) < m_log.rows.size()) {
        const HistoryRow& row = m_log.rows[std::size_t(c.nLastRow)];
        text += QStringLiteral("（最後の答え %1 %2）")
                    .arg(ShortTime(row.strTime), QString::fromUtf8(ResultText(row.result)));
    }
    return text;
}

void CMasteryPage::Refresh()
{
    m_states = m_map->States(Kind());
    m_counts = MasteryMap::Count(m_states);
    m_pHeadline->setText(Headline());
    SetAccessibleName(m_pHeadline, Headline()); // a new filter's count is announced

    const std::span<const Facts::Country> countries = Facts::Countries();
    std::vector<std::string> codes;
    std::vector<int> states;
    std::vector<QString> texts;
    std::vector<std::array<int, kMasteryStates>> byContinent(Facts::kContinents.size());
    for (std::size_t i = 0; i < countries.size(); ++i) {
        codes.emplace_back(countries[i].code);
        states.push_back(int(m_states[i].state));
        texts.push_back(CountryText(i));
        const std::size_t nContinent = Facts::ContinentIndex(countries[i].continent);
        if (nContinent < byContinent.size())
            ++byContinent[nContinent][std::size_t(m_states[i].state)];
    }
    m_pMap->SetCountries(std::move(codes), std::move(states), std::move(texts));

    QStringList summary;
    for (int nState : {3, 2, 1, 0}) {
        const QString text = StateName(nState) + QStringLiteral(" %1か国").arg(m_counts[nState]);
        m_legend[std::size_t(nState)]->setText(text);
        summary.append(text);
    }
    m_pMap->setAccessibleName(QStringLiteral("習得マップ ") + summary.join(QStringLiteral("、")));

    for (std::size_t i = 0; i < m_bars.size(); ++i) {
        const std::array<int, kMasteryStates>& n = byContinent[i];
        const int nTotal = n[0] + n[1] + n[2] + n[3];
        m_bars[i]->SetCounts(n);
        QStringList parts;
        for (int nState : {3, 2, 1, 0})
            parts.append(StateName(nState) + QString::number(n[std::size_t(nState)]));
        m_bars[i]->setAccessibleName(Utf8(Facts::kContinents[i]) + QStringLiteral("州 ") +
                                     parts.join(QStringLiteral("、")));
        m_barTexts[i]->setText(QStringLiteral("%1/%2").arg(n[3]).arg(nTotal));
    }
    m_pDrill->setEnabled(m_counts[std::size_t(Mastery::Review)] > 0);
}

void CMasteryPage::OnButtonDrill()
{
    EnsureBuilt();
    std::vector<std::string> codes;
    const std::span<const Facts::Country> countries = Facts::Countries();
    for (std::size_t i = 0; i < countries.size(); ++i)
        if (m_states[i].state == Mastery::Review)
            codes.emplace_back(countries[i].code);
    if (!codes.empty() && m_onDrill)
        m_onDrill(codes, Kind());
}

QImage CMasteryPage::Picture(QSize size)
{
    EnsureBuilt();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double dUnit = size.width() / 100.0;
    QFont big = font();
    big.setPixelSize(int(dUnit * 3.2));
    big.setBold(true);
    painter.setFont(big);
    painter.setPen(Qt::black);
    const QString strKind = m_pKind->currentIndex() > 0
                                ? QStringLiteral("（%1）").arg(m_pKind->currentText())
                                : QString();
    painter.drawText(QRectF(dUnit * 2, dUnit, size.width() - dUnit * 4, dUnit * 5),
                     Qt::AlignLeft | Qt::AlignVCenter, Headline() + strKind);
    QFont small = font();
    small.setPixelSize(int(dUnit * 1.8));
    painter.setFont(small);
    const QString strDate = QString::fromStdString(FormatLocalTime(m_now))
                                .left(10)
                                .replace(QLatin1Char('-'), QLatin1Char('/'));
    painter.drawText(QRectF(dUnit * 2, dUnit, size.width() - dUnit * 4, dUnit * 5),
                     Qt::AlignRight | Qt::AlignVCenter, strDate);

    const double dLegendHeight = dUnit * 4;
    const QRectF mapRect(0, dUnit * 6, size.width(), size.height() - dUnit * 7 - dLegendHeight);
    painter.save();
    painter.translate(mapRect.topLeft());
    m_pMap->Render(painter, mapRect.size(), Qt::white);
    painter.restore();

    double dX = dUnit * 2;
    const double dY = size.height() - dLegendHeight;
    for (int nState : {3, 2, 1, 0}) {
        const QRectF box(dX, dY + dUnit * 0.9, dUnit * 2.6, dUnit * 1.6);
        painter.fillRect(box, CMasteryMapView::StateColor(nState));
        if (CMasteryMapView::Hatched(nState))
            painter.fillRect(box, CMasteryMapView::HatchBrush());
        painter.setPen(QColor(0x60, 0x60, 0x60));
        painter.drawRect(box);
        painter.setPen(Qt::black);
        const QString text = m_legend[std::size_t(nState)]->text();
        const QRectF textRect(box.right() + dUnit * 0.8, dY, dUnit * 18, dUnit * 3.4);
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text);
        dX = textRect.left() + painter.fontMetrics().horizontalAdvance(text) + dUnit * 3;
    }
    return image;
}

void CMasteryPage::OnButtonSaveImage()
{
    const QString strPath = RunFileDialog(FileDialogKind::SavePicture);
    if (strPath.isEmpty())
        return;
    // Written beside and moved into place: an earlier picture stays whole if this one fails.
    QSaveFile file(strPath);
    if (!file.open(QIODevice::WriteOnly) || !Picture(QSize(1600, 1000)).save(&file, "PNG") ||
        !file.commit())
        AfxMessageBox(QStringLiteral("画像「%1」を保存できませんでした。\n%2")
                          .arg(strPath, file.errorString()),
                      MB_OK | MB_ICONSTOP);
}
