#pragma once

#include "chart/ChartData.h"
#include "chart/ChartInput.h"

#include <QDialog>

#include <memory>

class QAction;
class QChartView;
class QLabel;
class QPushButton;

namespace shell {
class Dialogs;
}

namespace ui {

class ChartRenderer;

// The large chart window: the main chart's data as a line chart with legends, or as bars of the values alone.
// Modal; it keeps a copy of what it shows and changes nothing outside itself.
class frmChartG : public QDialog
{
    Q_OBJECT
public:
    explicit frmChartG(shell::Dialogs& dialogs, QWidget* parent = nullptr);
    ~frmChartG() override;

    // What the next opening shows: the chart input, the language (0 German, 1 English), the window title (the
    // program title) and the folder offered for saved pictures.
    void setData(const chart::ChartInput& in, int sprache, const QString& title, const QString& pictureFolder = {});

    // New data while the window shows (an online run goes on behind it): drawn in the chart type shown.
    void follow(const chart::ChartInput& in);

    // Every opening starts with the line chart.
    void Form_Activate();
    // Line chart <-> bar chart.
    void cmdChartType_Click();
    // Asks for a file name and saves the chart as a PNG picture.
    void savePicture();

    bool barChart() const { return m_bar; }
    ChartRenderer& renderer() const { return *m_renderer; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildChart();

    shell::Dialogs& m_dialogs;
    chart::ChartInput m_in;
    chart::ChartData m_data;
    int m_sprache = 0;
    QString m_pictureFolder;
    bool m_bar = false;
    QChartView* m_view;
    std::unique_ptr<ChartRenderer> m_renderer;
    QLabel* m_strich;
    QLabel* m_mean;
    QPushButton* m_type;
    QAction* m_savePng;
};

} // namespace ui
