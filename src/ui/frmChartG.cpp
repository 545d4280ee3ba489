#include "frmChartG.h"

#include "ChartRenderer.h"
#include "Widgets.h"
#include "chart/ChartBuilder.h"
#include "shell/Controls.h"
#include "shell/Dialogs.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

using chart::ChartBuilder;
namespace ChartG = ctl::frmChartG;

frmChartG::frmChartG(shell::Dialogs& dialogs, QWidget* parent) : QDialog(parent), m_dialogs(dialogs)
{
    setObjectName(ChartG::form);
    setModal(true);
    setSizeGripEnabled(true);
    auto* lay = new QVBoxLayout(this);

    m_view = named<QChartView>(this, ChartG::MSChartG);
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->chart()->setBackgroundRoundness(0);
    m_view->chart()->legend()->setAlignment(Qt::AlignBottom);
    m_renderer = std::make_unique<ChartRenderer>(m_view->chart());
    m_savePng = new QAction(m_view);
    m_savePng->setObjectName(ChartG::mnuSavePng);
    connect(m_savePng, &QAction::triggered, this, &frmChartG::savePicture);
    m_view->addAction(m_savePng);
    m_view->setContextMenuPolicy(Qt::ActionsContextMenu);
    lay->addWidget(m_view, 1);

    auto* row = new QHBoxLayout;
    m_strich = named<QLabel>(this, ChartG::lblStrich);
    m_mean = named<QLabel>(this, ChartG::lblMean);
    m_type = button(this, ChartG::cmdChartType);
    connect(m_type, &QPushButton::clicked, this, &frmChartG::cmdChartType_Click);
    row->addWidget(m_strich);
    row->addWidget(m_mean);
    row->addStretch(1);
    row->addWidget(m_type);
    lay->addLayout(row);

    const int h = fontMetrics().height();
    setMinimumSize(h * 30, h * 20);
    resize(h * 60, h * 38);
}

frmChartG::~frmChartG() = default;

void frmChartG::setData(const chart::ChartInput& in, int sprache, const QString& title, const QString& pictureFolder)
{
    m_in = in;
    m_data = chart::ChartData(in);
    m_sprache = sprache;
    m_pictureFolder = pictureFolder;
    setWindowTitle(title);
}

void frmChartG::follow(const chart::ChartInput& in)
{
    m_in = in;
    m_data = chart::ChartData(in);
    // The bars leave the mean under the chart alone; a new value changes it all the same.
    m_mean->setText(ChartBuilder::meanText(m_in));
    buildChart();
}

void frmChartG::Form_Activate()
{
    m_bar = false;
    m_type->setText(m_in.chartTypeCaption);
    m_savePng->setText(m_sprache == 1 ? QStringLiteral("Save as PNG...") : QStringLiteral("Als PNG speichern..."));
    buildChart();
}

void frmChartG::cmdChartType_Click()
{
    m_bar = !m_bar;
    buildChart();
}

void frmChartG::buildChart()
{
    if (m_bar) {
        // The labels under the chart keep their texts.
        m_renderer->render(ChartBuilder::largeBarChart(m_in, m_data));
        return;
    }
    m_strich->setText(ChartBuilder::strichText());
    m_mean->setText(ChartBuilder::meanText(m_in));
    m_renderer->render(ChartBuilder::largeLineChart(m_in, m_data));
}

void frmChartG::savePicture()
{
    const bool en = m_sprache == 1;
    QString path = m_dialogs.saveFile(
        en ? QStringLiteral("Save chart as PNG") : QStringLiteral("Chart als PNG speichern"), m_pictureFolder,
        en ? QStringLiteral("PNG picture (*.png)") : QStringLiteral("PNG-Bild (*.png)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".png");
    if (!m_view->grab().save(path, "PNG"))
        m_dialogs.messageBox((en ? QStringLiteral("The picture could not be saved: ")
                                 : QStringLiteral("Das Bild konnte nicht gespeichert werden: ")) +
                                 QDir::toNativeSeparators(path),
                             shell::Dialogs::Buttons::Ok, shell::Dialogs::Icon::Critical);
}

void frmChartG::showEvent(QShowEvent* event)
{
    // A window restored from the task bar keeps its chart type; each opening starts again with lines.
    if (!event->spontaneous())
        Form_Activate();
    QDialog::showEvent(event);
}

} // namespace ui
