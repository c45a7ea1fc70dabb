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

-- Invoice lines whose stored tax percentage lies outside 0 to 100 (an
-- earlier build let some in): the check made as a file opens reads them from
-- here, in booking order, without reading every line; in a sound file it is
-- empty. Its condition is the check's own, word for word.
CREATE INDEX IF NOT EXISTS invoiceline_rate_out_of_range ON invoiceline (bookingid, id)
    WHERE typeof(taxratepercentage) IN ('integer', 'real') AND (taxratepercentage < 0 OR taxratepercentage > 100);

-- Invoice lines whose stored tax percentage is no number (a text such as
-- "7 %" that a hand-edited or converted file holds): read by the same check
-- from here, the same way.
CREATE INDEX IF NOT EXISTS invoiceline_rate_not_a_number ON invoiceline (bookingid, id)
    WHERE typeof(taxratepercentage) NOT IN ('integer', 'real', 'null');

-- Customers in list order: last name, first name (letters folded, no name
-- as empty text), id. Every customer list pages by this key, and counts the
-- rows before a key, or those a search on the names matches, from this index
-- alone: it carries the names as stored too. It replaces the two name
-- indexes of earlier files.
DROP INDEX IF EXISTS customer_name;
DROP INDEX IF EXISTS customer_name_fold;
CREATE INDEX IF NOT EXISTS customer_list
    ON customer (ifnull(LastName, '') COLLATE FOLD, ifnull(FirstName, '') COLLATE FOLD, ID,
                 LastName COLLATE BINARY, FirstName COLLATE BINARY);
