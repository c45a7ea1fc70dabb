-- Turns a new version-3 database into one of format version 2, for testing
-- the conversion: version 2 had no Mobile and HomePhone on customer.
-- Applied after tables.sql and rows.sql.
ALTER TABLE customer DROP COLUMN Mobile;
ALTER TABLE customer DROP COLUMN HomePhone;
UPDATE DatabaseVersion SET ver = 2;
