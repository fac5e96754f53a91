#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

class MapDocument;
class Platform;

// The starting data of the character classes and the party's herbs (see
// core/CharacterFields): read in one read of the file as the texts of the
// number boxes and the codes of the equipment, and written back from what a
// user typed and chose in one all-or-nothing patch, the backup first.
class CharacterTable : public QObject {
    Q_OBJECT
public:
    CharacterTable(Platform& platform, const MapDocument& document, QObject* parent = nullptr);

    // Reads every field; false, after the message that `windowTitle` cannot be
    // shown, when the file cannot give them all (the values stay as they were).
    bool read(const QString& windowTitle);

    struct Values {
        QStringList numbers;  // in the order of CharacterFields::Boxes()
        QList<int> equip1;  // item code of each class's first and second equipment
        QList<int> equip2;
    };
    const Values& values() const { return m_values; }

    // A save: the first number out of range is refused with "Value out of
    // range" (its index returned, nothing written); else every field is written.
    struct Outcome {
        bool saved = false;
        int rejected = -1;
    };
    Outcome save(const Values& values);

signals:
    void changed();

private:
    Platform& m_platform;
    const MapDocument& m_document;
    Values m_values;
};
