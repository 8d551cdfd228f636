-- Schema of the working database "2014NB_qz.mdb" (SQLite syntax).
-- The build tool runs this file on an empty database, then loads every <table>.tsv of this
-- folder into the table of that name. The offline-exchange template "view.dll" receives the
-- definitions of dt_data and ct_label from the finished working database.
--
-- Conventions: text columns compare without regard to case (COLLATE NOCASE); booleans are
-- stored as -1 (true) and 0 (false); numbers that the program reads default to 0.

-- Survey records, one row per organisation. c901 (the twelve-digit unit code) is the key:
-- a second record with the same code is refused. Amount columns are DOUBLE, all other
-- indicators hold counts or codes (yes/no items: 1 yes, 2 no, 0 not answered).
CREATE TABLE dt_data (
  c900 VARCHAR(32) COLLATE NOCASE,
  c901 INTEGER PRIMARY KEY,
  c902 VARCHAR(100) COLLATE NOCASE,
  c903 INTEGER DEFAULT 0,
  c904 INTEGER DEFAULT 0,
  c905 VARCHAR(50) COLLATE NOCASE,
  c906 VARCHAR(50) COLLATE NOCASE,
  c907 INTEGER DEFAULT 0,
  c909 VARCHAR(50) COLLATE NOCASE,
  c910 VARCHAR(50) COLLATE NOCASE,
  c911 VARCHAR(50) COLLATE NOCASE,
  c912 INTEGER DEFAULT 0,
  RecordState INTEGER DEFAULT 0,
  z001 INTEGER DEFAULT 0,
  z002 INTEGER DEFAULT 0,
  z003 INTEGER DEFAULT 0,
  z004 INTEGER DEFAULT 0,
  z005 INTEGER DEFAULT 0,
  z006 INTEGER DEFAULT 0,
  z007 INTEGER DEFAULT 0,
  z008 INTEGER DEFAULT 0,
  z009 INTEGER DEFAULT 0,
  z010 INTEGER DEFAULT 0,
  z011 INTEGER DEFAULT 0,
  z012 INTEGER DEFAULT 0,
  z013 INTEGER DEFAULT 0,
  z014 INTEGER DEFAULT 0,
  z015 INTEGER DEFAULT 0,
  z016 INTEGER DEFAULT 0,
  x001 INTEGER DEFAULT 0,
  x002 INTEGER DEFAULT 0,
  x003 INTEGER DEFAULT 0,
  x004 INTEGER DEFAULT 0,
  x005 INTEGER DEFAULT 0,
  x006 INTEGER DEFAULT 0,
  x007 INTEGER DEFAULT 0,
  x008 INTEGER DEFAULT 0,
  x009 INTEGER DEFAULT 0,
  x010 INTEGER DEFAULT 0,
  x011 INTEGER DEFAULT 0,
  x012 INTEGER DEFAULT 0,
  p001 INTEGER DEFAULT 0,
  p002 INTEGER DEFAULT 0,
  p003 INTEGER DEFAULT 0,
  p004 INTEGER DEFAULT 0,
  p005 INTEGER DEFAULT 0,
  p006 INTEGER DEFAULT 0,
  b001 INTEGER DEFAULT 0,
  b002 INTEGER DEFAULT 0,
  b003 INTEGER DEFAULT 0,
  b004 DOUBLE DEFAULT 0,
  b005 INTEGER DEFAULT 0,
  b006 INTEGER DEFAULT 0,
  b007 DOUBLE DEFAULT 0,
  b008 INTEGER DEFAULT 0,
  b009 INTEGER DEFAULT 0,
  b010 INTEGER DEFAULT 0,
  b011 INTEGER DEFAULT 0,
  b012 INTEGER DEFAULT 0,
  b013 INTEGER DEFAULT 0,
  b014 DOUBLE DEFAULT 0,
  b015 INTEGER DEFAULT 0,
  b016 INTEGER DEFAULT 0,
  b017 INTEGER DEFAULT 0,
  b018 INTEGER DEFAULT 0,
  b019 INTEGER DEFAULT 0,
  b020 INTEGER DEFAULT 0,
  b021 INTEGER DEFAULT 0,
  b022 DOUBLE DEFAULT 0,
  b023 INTEGER DEFAULT 0,
  b024 INTEGER DEFAULT 0,
  b025 DOUBLE DEFAULT 0,
  b026 INTEGER DEFAULT 0,
  b027 INTEGER DEFAULT 0,
  b028 INTEGER DEFAULT 0,
  b029 DOUBLE DEFAULT 0,
  b030 INTEGER DEFAULT 0,
  b031 INTEGER DEFAULT 0,
  b032 INTEGER DEFAULT 0,
  b033 INTEGER DEFAULT 0,
  b034 INTEGER DEFAULT 0,
  b035 INTEGER DEFAULT 0,
  b036 INTEGER DEFAULT 0,
  b037 INTEGER DEFAULT 0,
  b038 DOUBLE DEFAULT 0,
  b039 DOUBLE DEFAULT 0,
  f001 INTEGER DEFAULT 0,
  f002 INTEGER DEFAULT 0,
  f003 INTEGER DEFAULT 0,
  f004 INTEGER DEFAULT 0,
  f005 INTEGER DEFAULT 0,
  f006 INTEGER DEFAULT 0,
  f007 INTEGER DEFAULT 0,
  f008 INTEGER DEFAULT 0,
  f009 INTEGER DEFAULT 0,
  f010 INTEGER DEFAULT 0,
  f011 INTEGER DEFAULT 0,
  f012 INTEGER DEFAULT 0,
  f013 INTEGER DEFAULT 0,
  f014 INTEGER DEFAULT 0,
  f015 INTEGER DEFAULT 0,
  f016 INTEGER DEFAULT 0,
  f017 INTEGER DEFAULT 0,
  f018 INTEGER DEFAULT 0,
  l001 INTEGER DEFAULT 0,
  l002 INTEGER DEFAULT 0,
  l003 INTEGER DEFAULT 0,
  l004 INTEGER DEFAULT 0,
  l005 INTEGER DEFAULT 0,
  l006 INTEGER DEFAULT 0,
  l007 INTEGER DEFAULT 0,
  l008 INTEGER DEFAULT 0,
  h001 INTEGER DEFAULT 0,
  h002 INTEGER DEFAULT 0,
  h003 INTEGER DEFAULT 0,
  h004 INTEGER DEFAULT 0,
  h005 INTEGER DEFAULT 0,
  h006 INTEGER DEFAULT 0,
  h007 INTEGER DEFAULT 0,
  h008 INTEGER DEFAULT 0,
  h009 INTEGER DEFAULT 0,
  h010 INTEGER DEFAULT 0,
  h011 INTEGER DEFAULT 0,
  j001 INTEGER DEFAULT 0,
  j002 INTEGER DEFAULT 0,
  j003 INTEGER DEFAULT 0,
  j004 INTEGER DEFAULT 0,
  j005 INTEGER DEFAULT 0,
  j006 INTEGER DEFAULT 0,
  j007 INTEGER DEFAULT 0,
  j008 INTEGER DEFAULT 0,
  j009 INTEGER DEFAULT 0,
  j010 INTEGER DEFAULT 0,
  j011 INTEGER DEFAULT 0,
  j012 INTEGER DEFAULT 0,
  j013 INTEGER DEFAULT 0,
  j014 INTEGER DEFAULT 0,
  j015 INTEGER DEFAULT 0,
  j016 INTEGER DEFAULT 0,
  j017 INTEGER DEFAULT 0,
  j018 DOUBLE DEFAULT 0,
  j019 INTEGER DEFAULT 0,
  j020 INTEGER DEFAULT 0,
  j021 DOUBLE DEFAULT 0,
  s001 INTEGER DEFAULT 0,
  s002 INTEGER DEFAULT 0,
  s003 INTEGER DEFAULT 0,
  s004 INTEGER DEFAULT 0,
  s005 INTEGER DEFAULT 0,
  s006 INTEGER DEFAULT 0,
  s007 INTEGER DEFAULT 0,
  s008 INTEGER DEFAULT 0,
  s009 INTEGER DEFAULT 0,
  s010 INTEGER DEFAULT 0,
  w001 INTEGER DEFAULT 0,
  w002 INTEGER DEFAULT 0,
  w003 INTEGER DEFAULT 0,
  w004 INTEGER DEFAULT 0,
  w005 INTEGER DEFAULT 0,
  w006 INTEGER DEFAULT 0,
  w007 INTEGER DEFAULT 0,
  w008 INTEGER DEFAULT 0,
  w009 INTEGER DEFAULT 0,
  w010 INTEGER DEFAULT 0,
  w011 INTEGER DEFAULT 0,
  g001 INTEGER DEFAULT 0,
  g002 INTEGER DEFAULT 0,
  g003 INTEGER DEFAULT 0,
  g004 INTEGER DEFAULT 0
);

-- Field descriptors of dt_data (see dt_fieldlist.tsv for the meaning of the columns).
CREATE TABLE dt_fieldlist (
  ID INTEGER PRIMARY KEY,
  FieldName VARCHAR(50) COLLATE NOCASE NOT NULL UNIQUE,
  ShowName VARCHAR(50) COLLATE NOCASE NOT NULL,
  Hint VARCHAR(100) COLLATE NOCASE,
  FieldWidth INTEGER DEFAULT 0,
  FieldType VARCHAR(30) COLLATE NOCASE,
  Visible BOOLEAN NOT NULL DEFAULT -1,
  QueryShow BOOLEAN NOT NULL DEFAULT -1,
  QueryType INTEGER DEFAULT 0,
  Rule VARCHAR(100) COLLATE NOCASE,
  sequence INTEGER DEFAULT 0,
  PageID INTEGER DEFAULT -1,
  printPageID INTEGER DEFAULT -1,
  printplace VARCHAR(10) COLLATE NOCASE
);
CREATE INDEX dt_fieldlist_sequence ON dt_fieldlist (sequence);

-- Logic rules per entry-form page: expression is true when the rule is broken.
CREATE TABLE dt_logic (
  id INTEGER PRIMARY KEY,
  page_id INTEGER NOT NULL,
  expression TEXT NOT NULL,
  focus VARCHAR(50) COLLATE NOCASE,
  explain TEXT,
  rule TEXT
);
CREATE INDEX dt_logic_page ON dt_logic (page_id);

-- Administrative regions: ID is the six-digit code, Code1..Code3 its two-digit parts
-- (province, city, county); city rows have Code3 = 0, province rows Code2 = Code3 = 0.
CREATE TABLE CT_CityName (
  ID INTEGER PRIMARY KEY,
  Code1 INTEGER NOT NULL,
  Code2 INTEGER NOT NULL,
  Code3 INTEGER NOT NULL,
  Name VARCHAR(50) COLLATE NOCASE,
  CombName VARCHAR(100) COLLATE NOCASE
);
CREATE INDEX CT_CityName_Code1 ON CT_CityName (Code1, Code2, Code3);

-- Organisation levels (c904) and filing states (c907); rows with id 0 are not offered in lists.
CREATE TABLE CT_LevelCode (
  id INTEGER PRIMARY KEY,
  name VARCHAR(50) COLLATE NOCASE,
  sequence INTEGER DEFAULT 0
);
CREATE TABLE ct_state (
  id INTEGER PRIMARY KEY,
  name VARCHAR(50) COLLATE NOCASE,
  sequence INTEGER DEFAULT 0
);

-- Pages of the entry form (CodeID = page index).
CREATE TABLE ct_sheetName (
  CodeID INTEGER PRIMARY KEY,
  name VARCHAR(50) COLLATE NOCASE,
  title VARCHAR(100) COLLATE NOCASE
);

-- The label of the database (the supplying unit's name), one row.
CREATE TABLE ct_label (
  db_name VARCHAR(255) COLLATE NOCASE
);

-- Grouping schemes and their items (ranges of c901).
CREATE TABLE ct_group (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  name VARCHAR(100) COLLATE NOCASE,
  GroupList VARCHAR(255) COLLATE NOCASE,
  AutoLowest BOOLEAN NOT NULL DEFAULT 0,
  AutoHighest BOOLEAN NOT NULL DEFAULT 0,
  orderstr VARCHAR(100) COLLATE NOCASE DEFAULT 'id ASC'
);
CREATE TABLE DT_GroupItem (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  GroupID INTEGER NOT NULL DEFAULT 0,
  Title VARCHAR(100) COLLATE NOCASE,
  LowBoundary INTEGER DEFAULT 0,
  HighBoundary INTEGER DEFAULT 0,
  LowSymbol VARCHAR(2) DEFAULT '>=',
  HighSymbol VARCHAR(2) DEFAULT '<'
);
CREATE INDEX DT_GroupItem_GroupID ON DT_GroupItem (GroupID);

-- The record list: c901, the record state and one column per dt_fieldlist.ShowName,
-- in the order of dt_fieldlist.sequence.
CREATE VIEW view_data AS SELECT
  RecordState,
  c901,
  c902,
  c903,
  c904,
  c905,
  c906,
  c907,
  z001,
  z002,
  z003,
  z004,
  z005,
  z006,
  z007,
  z008,
  z009,
  z010,
  z011,
  z012,
  z013,
  z014,
  z015,
  z016,
  x001,
  x002,
  x003,
  x004,
  x005,
  x006,
  x007,
  x008,
  x009,
  x010,
  x011,
  x012,
  p001,
  p002,
  p003,
  p004,
  p005,
  p006,
  b001,
  b002,
  b003,
  b004,
  b005,
  b006,
  b007,
  b008,
  b009,
  b010,
  b011,
  b012,
  b013,
  b014,
  b015,
  b016,
  b017,
  b018,
  b019,
  b020,
  b021,
  b022,
  b023,
  b024,
  b025,
  b026,
  b027,
  b028,
  b029,
  b030,
  b031,
  b032,
  b033,
  b034,
  b035,
  b036,
  b037,
  b038,
  b039,
  f001,
  f002,
  f003,
  f004,
  f005,
  f006,
  f007,
  f008,
  f009,
  f010,
  f011,
  f012,
  f013,
  f014,
  f015,
  f016,
  f017,
  f018,
  l001,
  l002,
  l003,
  l004,
  l005,
  l006,
  l007,
  l008,
  h001,
  h002,
  h003,
  h004,
  h005,
  h006,
  h007,
  h008,
  h009,
  h010,
  h011,
  j001,
  j002,
  j003,
  j004,
  j005,
  j006,
  j007,
  j008,
  j009,
  j010,
  j011,
  j012,
  j013,
  j014,
  j015,
  j016,
  j017,
  j018,
  j019,
  j020,
  j021,
  s001,
  s002,
  s003,
  s004,
  s005,
  s006,
  s007,
  s008,
  s009,
  s010,
  w001,
  w002,
  w003,
  w004,
  w005,
  w006,
  w007,
  w008,
  w009,
  w010,
  w011,
  g001,
  g002,
  g003,
  g004
FROM dt_data;

-- Field descriptors of the entry-form pages with their page caption; only visible is
-- updatable (any true value is stored as -1, false and null as 0).
CREATE VIEW view_FieldList AS
SELECT f.ID AS id, f.PageID AS PageID, s.name AS SheetName, f.FieldName AS FieldName,
       f.Hint AS Hint, f.sequence AS sequence, f.Visible AS visible
FROM dt_fieldlist f JOIN ct_sheetName s ON s.CodeID = f.PageID;

CREATE TRIGGER view_FieldList_update INSTEAD OF UPDATE ON view_FieldList
BEGIN
  UPDATE dt_fieldlist
     SET Visible = CASE WHEN NEW.visible IS NULL OR NEW.visible IN (0, '0', 'false', 'False', 'FALSE')
                        THEN 0 ELSE -1 END
   WHERE ID = OLD.id;
END;

-- Indicators that can be searched by value, per page (numeric fields only).
CREATE VIEW view_datasearch AS
SELECT PageID, FieldName AS codename, sequence, Hint
FROM dt_fieldlist
WHERE PageID >= 0 AND QueryType IN (0, 2, 3);

-- Group items with their bounds as conditions on c901 (for example ">=110000000000"):
-- LowValue and HighValue are shown and joined into filters as "c901" + LowValue.
CREATE VIEW view_group_item AS
SELECT id, GroupID, Title, LowBoundary, HighBoundary, LowSymbol, HighSymbol,
       ifnull(LowSymbol, '') || ifnull(LowBoundary, 0) AS LowValue,
       ifnull(HighSymbol, '') || ifnull(HighBoundary, 0) AS HighValue
FROM DT_GroupItem;

CREATE TRIGGER view_group_item_insert INSTEAD OF INSERT ON view_group_item
BEGIN
  INSERT INTO DT_GroupItem (id, GroupID, Title, LowBoundary, HighBoundary, LowSymbol, HighSymbol)
  VALUES (NEW.id, ifnull(NEW.GroupID, 0), NEW.Title, ifnull(NEW.LowBoundary, 0), ifnull(NEW.HighBoundary, 0),
          ifnull(NEW.LowSymbol, '>='), ifnull(NEW.HighSymbol, '<'));
END;

CREATE TRIGGER view_group_item_update INSTEAD OF UPDATE ON view_group_item
BEGIN
  UPDATE DT_GroupItem
     SET GroupID = ifnull(NEW.GroupID, 0), Title = NEW.Title,
         LowBoundary = ifnull(NEW.LowBoundary, 0), HighBoundary = ifnull(NEW.HighBoundary, 0),
         LowSymbol = ifnull(NEW.LowSymbol, '>='), HighSymbol = ifnull(NEW.HighSymbol, '<')
   WHERE id = OLD.id;
END;

CREATE TRIGGER view_group_item_delete INSTEAD OF DELETE ON view_group_item
BEGIN
  DELETE FROM DT_GroupItem WHERE id = OLD.id;
END;
