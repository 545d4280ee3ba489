#pragma once

#include "archive/Series.h"
#include "archive/ServerUploader.h"

#include <QDialog>

#include <vector>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

namespace session {
class TransferSession;
}

namespace ui {

class SeriesListModel;

// "Verlauf" / "History": every series kept in the archive, newest first, found by a text in the gauge or project
// fields and a range of dates; a series is opened into the table, passed on through the table's outputs, or deleted.
class frmVerlauf : public QDialog
{
    Q_OBJECT
public:
    // Object names of its File menu entry and of its controls.
    static inline const QString mnuVerlauf = QStringLiteral("mnuVerlauf");
    static inline const QString txtSuche = QStringLiteral("txtSuche");
    static inline const QString dtpVon = QStringLiteral("dtpVon");
    static inline const QString dtpBis = QStringLiteral("dtpBis");
    static inline const QString lstSerien = QStringLiteral("lstSerien");
    static inline const QString cmdOeffnen = QStringLiteral("cmdOeffnen");
    static inline const QString cmdExport = QStringLiteral("cmdExport");
    static inline const QString cmdLoeschen = QStringLiteral("cmdLoeschen");
    static inline const QString cmdSchliessen = QStringLiteral("cmdSchliessen");
    static inline const QString lblAnzahl = QStringLiteral("lblAnzahl");
    static inline const QString optComputer = QStringLiteral("optComputer");
    static inline const QString optServer = QStringLiteral("optServer");
    static inline const QString lblServer = QStringLiteral("lblServer");
    // The server's list shows the newest of what the filter finds.
    static constexpr int kServerListLimit = 2000;

    explicit frmVerlauf(session::TransferSession& session, QWidget* parent = nullptr);
    ~frmVerlauf() override;

    // Reads the list again with the filter shown.
    void refresh();
    // Texts in the program's language.
    void retranslate();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    qint64 selected() const;
    void openSelected();
    void exportSelected(int output);
    void deleteSelected();
    void updateButtons();
    bool onServer() const;
    void showServerStatus();
    // The server's answers.
    void serverListed(const std::vector<archive::ListEntry>& entries, const archive::ServerUploader::Outcome& o);
    void serverFetched(const archive::Series& series, const std::vector<archive::Reading>& readings,
                       const archive::ServerUploader::Outcome& o);
    void pass(int output);

    session::TransferSession& m_session;
    SeriesListModel* m_model;
    QLineEdit* m_text;
    QDateEdit* m_since;
    QDateEdit* m_until;
    QTableView* m_list;
    QLabel* m_count;
    QLabel* m_fromLabel;
    QLabel* m_toLabel;
    QPushButton* m_open;
    QPushButton* m_export;
    QPushButton* m_delete;
    QPushButton* m_close;
    QRadioButton* m_computer;
    QRadioButton* m_server;
    QLabel* m_serverStatus;
    int m_fetchOutput = -1; // what to do with the series the server sends: -1 open, else an export
    bool m_listAsked = false;
    bool m_listAgain = false; // the filter changed while the server was answering
};

} // namespace ui
