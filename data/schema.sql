-- GearLog project database.
-- Money is stored exactly as INTEGER ten-thousandths of a dollar; dates as ISO text (yyyy-MM-dd),
-- Null when empty; auditdate as 'yyyy-MM-dd HH:mm:ss'. Descriptions and names compare without
-- regard to case. Keys are never reused (AUTOINCREMENT). Cascades are the program's job.

CREATE TABLE Car (
    carid INTEGER PRIMARY KEY AUTOINCREMENT,
    Description TEXT COLLATE NOCASE,
    make TEXT,
    model TEXT,
    Year TEXT,
    purchaseprice INTEGER,
    resalevalue INTEGER,
    totalbudget INTEGER,
    imagepath TEXT,
    Status INTEGER,
    note1 TEXT,
    note2 TEXT,
    note3 TEXT,
    auditdate TEXT
);
CREATE INDEX car_index1 ON Car (carid);
CREATE INDEX car_description ON Car (Description, carid);

CREATE TABLE Assembly (
    assemblyid INTEGER PRIMARY KEY AUTOINCREMENT,
    carid INTEGER NOT NULL DEFAULT 0,
    Description TEXT COLLATE NOCASE,
    Status INTEGER,
    imagepath TEXT,
    note1 TEXT,
    note2 TEXT,
    note3 TEXT,
    auditdate TEXT
);
CREATE INDEX assembly_index1 ON Assembly (assemblyid);
-- The description look-ups are always made within one project: a per-project index keeps them
-- fast and keeps deleting or copying a project from touching every project's index pages.
CREATE INDEX assembly_index2 ON Assembly (carid, Description);

CREATE TABLE Component (
    componentid INTEGER PRIMARY KEY AUTOINCREMENT,
    carid INTEGER NOT NULL DEFAULT 0,
    assemblyid INTEGER NOT NULL DEFAULT 0,
    ActivityID INTEGER,
    Description TEXT COLLATE NOCASE,
    Status INTEGER,
    SupplierName TEXT COLLATE NOCASE,
    catalogpage TEXT,
    quantity INTEGER,
    targetcost INTEGER,
    actualcost INTEGER,
    wishlist INTEGER,
    imagepath TEXT,
    note1 TEXT,
    note2 TEXT,
    note3 TEXT,
    auditdate TEXT
);
CREATE INDEX component_index1 ON Component (componentid);
CREATE INDEX component_carid ON Component (carid, Description);
CREATE INDEX component_assemblyid ON Component (assemblyid);
CREATE INDEX component_activityid ON Component (ActivityID);

CREATE TABLE Phase (
    PhaseID INTEGER PRIMARY KEY AUTOINCREMENT,
    carid INTEGER NOT NULL DEFAULT 0,
    prioritysequence INTEGER,
    Description TEXT COLLATE NOCASE,
    Status INTEGER,
    note1 TEXT,
    note2 TEXT,
    note3 TEXT,
    auditdate TEXT
);
CREATE INDEX phase_index1 ON Phase (PhaseID);
CREATE INDEX phase_index2 ON Phase (carid, Description);

CREATE TABLE Activity (
    ActivityID INTEGER PRIMARY KEY AUTOINCREMENT,
    carid INTEGER NOT NULL DEFAULT 0,
    PhaseID INTEGER NOT NULL DEFAULT 0,
    prioritysequence INTEGER,
    Description TEXT COLLATE NOCASE,
    Status INTEGER,
    targetstartdate TEXT,
    targetstopdate TEXT,
    targeteffort REAL,
    actualstartdate TEXT,
    actualstopdate TEXT,
    actualeffort REAL,
    note1 TEXT,
    note2 TEXT,
    note3 TEXT,
    auditdate TEXT
);
CREATE INDEX activity_index1 ON Activity (ActivityID);
CREATE INDEX activity_index3 ON Activity (carid, Description);
CREATE INDEX activity_phaseid ON Activity (PhaseID);

CREATE TABLE Supplier (
    supplierid INTEGER PRIMARY KEY AUTOINCREMENT,
    Name TEXT COLLATE NOCASE,
    address1 TEXT,
    address2 TEXT,
    city TEXT,
    State TEXT,
    Zip TEXT,
    Telephone TEXT,
    Fax TEXT,
    Email TEXT,
    CatalogNbr TEXT,
    note1 TEXT,
    note2 TEXT,
    note3 TEXT
);
CREATE INDEX supplier_index2 ON Supplier (Name);
