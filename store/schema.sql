-- The shipped record database "Dowsing.dll": one table of dowsing records.
-- The build makes the file from this text; the program never creates it and
-- never alters the table.
--
-- The find index's tables and the triggers that keep it in step, and the
-- table DeletedRecords that keeps deleted records so that a delete can be
-- undone, are added by the build tool from the store's definition of them
-- (FindIndex.cpp, DeletedRecords.cpp).
--
-- Dates are calendar dates without a time of day, kept as ISO text
-- (YYYY-MM-DD). IdNumber is assigned by the store, increases, and is never
-- reused (AUTOINCREMENT), so it stays a safe key for a record that was
-- deleted. Text fields are never NULL in rows the program writes.

-- A rollback journal: each commit lands in this one file, which is what
-- users copy to back up or move their records (a write-ahead log would keep
-- recent records in a file beside it).
PRAGMA journal_mode = DELETE;

CREATE TABLE Details (
    Date                     DATE NOT NULL CHECK (Date IS date(Date)),
    Name                     TEXT NOT NULL DEFAULT '',
    Address                  TEXT NOT NULL DEFAULT '',
    City                     TEXT NOT NULL DEFAULT '',
    State                    TEXT NOT NULL DEFAULT '',
    Pin                      TEXT NOT NULL DEFAULT '',
    Phone_No                 TEXT NOT NULL DEFAULT '',
    Email                    TEXT NOT NULL DEFAULT '',
    Time_Dowsing_Occured     TEXT NOT NULL DEFAULT '',
    Dowsing_Tool             TEXT NOT NULL DEFAULT '',
    Item_Dowsing_For         TEXT NOT NULL DEFAULT '',
    Location_Dowsing_Occured TEXT NOT NULL DEFAULT '',
    Notes                    TEXT NOT NULL DEFAULT '',
    IdNumber                 INTEGER PRIMARY KEY AUTOINCREMENT
);
