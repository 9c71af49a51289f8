#pragma once

#include "store/DowsingRecord.h"

#include <QCoreApplication>

#include <memory>

class QWidget;

namespace Orvane {

class FileCheck;
class RecordStore;

// The entry window's road to the record database: it opens the file when the
// window loads, adds the form's record or writes the changes of the record
// being edited, and tells the user how each went. When another program
// changed the record being edited meanwhile, it shows what changed and asks
// whether the user's changes are to go into the record as it is now.
class EntryRecords
{
    Q_DECLARE_TR_FUNCTIONS(Orvane::EntryRecords)

public:
    // window: the parent of the message boxes.
    explicit EntryRecords(QWidget *window);
    ~EntryRecords();
    EntryRecords(const EntryRecords &) = delete;
    EntryRecords &operator=(const EntryRecords &) = delete;

    // Opens the database file in the data folder. False when it could not
    // be used: the refusal was shown.
    bool open();
    // The check of a large file that runs on after open(), or null.
    FileCheck *pendingCheck() const;

    // Adds the record. False, with the refusal shown, when it was not saved;
    // true after the message that it was.
    bool add(DowsingRecord record);

    enum class Update {
        Done, // written, and the user told so
        Kept, // not written, the refusal shown or the writing over declined
        Gone, // removed meanwhile: nothing is left to update (see tellGone())
    };
    // Writes the record over original, the record as the edit began. When
    // another program changed it meanwhile and the user agrees, only what
    // the user changed goes over what it holds now, which becomes original.
    Update update(DowsingRecord &original, DowsingRecord record);
    // After Update::Gone: the refusal, saying that the input is kept to be
    // added as a new record.
    void tellGone();

private:
    void refuseSave(const QString &reason);
    void say(const QString &text);
    // After another program changed the record being edited: whether the
    // user's changes are to go into it as it is now.
    bool confirmWritingOver(const DowsingRecord &original, const DowsingRecord &now);

    QWidget *m_window;
    std::unique_ptr<RecordStore> m_store;
};

} // namespace Orvane
