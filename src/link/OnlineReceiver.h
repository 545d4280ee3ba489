#pragma once

#include "RecordDecoder.h"

#include "shell/Messart.h"

#include <QObject>
#include <QString>

#include <deque>

namespace shell {
struct AppState;
struct Messwert;
} // namespace shell

namespace instrument {

class LinkSession;

// Online mode: the instrument sends each value as it is measured. "E" instruments send one whole record per
// notification, and every value is saved at once; "V" instruments send lines that are collected in order and can be
// paused. Each value is decoded here and handed to the table by signal; the memory display shows it.
class OnlineReceiver : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxLines = 5000;

    OnlineReceiver(shell::AppState& st, LinkSession& link, QObject* parent = nullptr);
    ~OnlineReceiver() override;

    // Starts an online run, or shows the online view of the run that goes on.
    void optOnline_Click();
    void cmdStop_Click();
    // The user ends the run (a memory read needs the line): later values are no longer taken.
    void endByUser();

    // Communication event hand-over from the link (2 = text received).
    void reception(int code);

    // Reception runs: online was started and has not been ended by a line that is no value, the user or the line.
    bool receiving() const;
    bool waitingForTheGauge() const { return m_waiting; }
    // Values taken over in this run (decoded and handed on).
    int taken() const { return m_taken; }

signals:
    // The view in use and the kind of transfer change (the table sets messart).
    void messartRequested(shell::Messart m);
    // Online starts: the online view is shown with fresh statistics.
    void viewStarting();
    // A new run receives (not a return to the view of a run that goes on).
    void runStarted();
    // A decoded value for the online view; the table takes it in arrival order.
    void messwert(const shell::Messwert& m);
    // A value was shown in the memory display (its text), whether stored or not.
    void valueShown(const QString& text);
    // Reception ended because a line was no value.
    void receptionEnded();

private:
    void lineLost();
    void portReturned();
    void checkCancel();
    void stopWaiting();
    void showWaiting();
    void receiveRecord(const QString& text);
    void receiveLine(const QString& text);
    void processLines();
    void endReception();
    void setRunning(bool running);
    QString showValue(const QString& text);
    void decodeAndHandOver(const QString& record);

    shell::AppState& m_st;
    LinkSession& m_link;
    RecordDecoder m_decoder;
    bool m_running = false;
    bool m_waiting = false;  // the line was lost during the run; the same port coming back resumes it
    bool m_lineMode = false; // "V" instrument
    // "V": lines received and not yet processed, in order; the count of all lines of this run.
    std::deque<QString> m_lines;
    int m_received = 0;
    bool m_fullReported = false;
    int m_taken = 0;
};

} // namespace instrument
