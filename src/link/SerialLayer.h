#pragma once

#include <QObject>
#include <QString>

namespace instrument {

// What the serial layer knows about one COM name ("NAME", "CHECK", "TYPE" of the port information).
struct PortInfo {
    QString name;   // "COM7" while a device is behind the name, else empty
    QString check;  // "OK" when the device can be opened by this user, "NO ACCESS" when not, else empty
    QString type;   // "VCP ttyUSB0 ...", "BTH rfcomm0", the Ports.ini type text, ...
    QString device; // the device path
};

enum class OpenError { None, Unavailable, PermissionDenied, Busy, Other };

// The serial line as the connection logic sees it: one port at a time, 38400,n,8,1, text in Windows-1252.
// The logic talks only to this interface, so tests can put a scripted line in its place.
class SerialLayer : public QObject
{
    Q_OBJECT
public:
    // Chunks: every notification carries what has arrived. Lines: one whole LF-terminated line per notification
    // (online records must reach the decoder complete).
    enum class Delivery { Chunks, Lines };
    enum PortEvent { PluggedIn = 1, Unplugged = 2, Ready = 11 };

    static constexpr QChar EOT = QChar(4);
    static constexpr QChar EM = QChar(25);
    // An online record is 25 characters: a line that grows past this without its end is no gauge's.
    static constexpr qsizetype kMaxLine = 512;

    using QObject::QObject;
    ~SerialLayer() override;

    virtual PortInfo portInfo(const QString& comName) = 0;

    // Opens COM<portNumber> at 38400,n,8,1. errorText() names the port and device of a failure (and the
    // system's description where the kind alone does not say enough).
    virtual OpenError open(int portNumber) = 0;
    virtual QString errorText() const = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual void setDelivery(Delivery delivery) = 0;
    // Drops everything received and not yet taken.
    virtual void clearReceived() = 0;
    // Sends the whole text; false when the port is not open or the write fails.
    virtual bool transmit(const QString& text) = 0;
    // Chunks: all text received since the last call. Lines: the oldest complete line.
    virtual QString takeReceived() = 0;

signals:
    void received();                            // text is waiting in takeReceived()
    void specialCharacter(QChar c);             // EOT or EM arrived (they are not part of the text)
    void linkError(const QString& description); // the line broke; the port is already closed
    // Lines: more than kMaxLine characters came without a line end; they were dropped.
    void lineTooLong();
    void portState(int kind, const QString& comName);
    // The ports were looked at again: a device may be back under the same name and path.
    void portsRescanned();
};

} // namespace instrument
