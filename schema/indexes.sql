-- Indexes that keep a view's cost to what it shows, however long the
-- history. New files get them from here; the program runs this same file when
-- it opens a file made before one of them existed. An index changes no row.

-- Arrival dates with their adults: the reports' statistics group every
-- booking by its arrival from this index alone.
CREATE INDEX IF NOT EXISTS booking_arrival_adults ON booking (fromdate, noadults);

-- Commission due per account, added up from this index alone.
CREATE INDEX IF NOT EXISTS booking_commission ON booking (CommissionID, CommissionAmount);

-- Invoice lines by item, then by exact tax name: the finance summary adds
-- them up from this index alone, and whether an item is in use is one look.
CREATE INDEX IF NOT EXISTS invoiceline_item
    ON invoiceline (itemid, taxratename COLLATE BINARY, taxratepercentage, amount, quantity);

-- Customers in list order: last name, first name (letters folded, no name
-- as empty text), id. Every customer list pages by this key.
CREATE INDEX IF NOT EXISTS customer_name_fold
    ON customer (ifnull(LastName, '') COLLATE FOLD, ifnull(FirstName, '') COLLATE FOLD);
