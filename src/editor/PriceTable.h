#pragma once

#include <QObject>
#include <QStringList>

class MapDocument;
class Platform;

// The shop prices of the loaded cartridge (see core/PriceFields): read in one
// read of the file as the texts the boxes show, and written back from the
// texts a user typed in one all-or-nothing patch, the backup first.
class PriceTable : public QObject {
    Q_OBJECT
public:
    PriceTable(Platform& platform, const MapDocument& document, QObject* parent = nullptr);

    // Reads every price; false, after the message that `windowTitle` cannot be
    // shown, when the file cannot give them all (the texts stay as they were).
    bool read(const QString& windowTitle);
    // Every price in decimal: the 25 items, then the 6 herbs.
    const QStringList& texts() const { return m_texts; }

    // A save of the typed texts, in the order of texts().
    struct Outcome {
        bool saved = false;
        int rejected = -1;  // the first text out of range ("Value out of range" was shown), or -1
    };
    Outcome save(const QStringList& texts);

signals:
    void changed();

private:
    Platform& m_platform;
    const MapDocument& m_document;
    QStringList m_texts;
};
