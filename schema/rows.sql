-- Rows that every new db.mdb holds. Money is in ten-thousandths (95.00 is 950000).

-- Reserved rows: the program relies on them and never creates them. --------

-- 1 = no tax (hidden from lists); 2 and 3 = the first and second sales tax,
-- named and rated as the program's own defaults for its tax labels.
INSERT INTO taxrate (id, name, percentage) VALUES (1, 'N/A', 0);
INSERT INTO taxrate (id, name, percentage) VALUES (2, 'Sales Tax', 10);
INSERT INTO taxrate (id, name, percentage) VALUES (3, 'Sales Tax2', 10);

-- 1 = the accommodation charge, 2 = the free-text line. Lines of these two
-- items take their name, price and tax from whoever makes the line, but the
-- item row and its tax rate must exist, so they point at the no-tax rate.
INSERT INTO item (id, name, SaleAmount, TaxRateID, IsDefault) VALUES (1, 'Booking', 0, 1, 0);
INSERT INTO item (id, name, SaleAmount, TaxRateID, IsDefault) VALUES (2, 'New Item...', 0, 1, 0);

INSERT INTO commission (id, name, notes) VALUES (1, 'No Commission', '');

-- The default choice of the custom booking field; the user may rename it.
INSERT INTO BookingUDF (id, name) VALUES (1, 'Not Selected');

-- Northern-hemisphere seasons: summer and the December holidays are high.
INSERT INTO season (month, highlow) VALUES (1, 'L');
INSERT INTO season (month, highlow) VALUES (2, 'L');
INSERT INTO season (month, highlow) VALUES (3, 'L');
INSERT INTO season (month, highlow) VALUES (4, 'L');
INSERT INTO season (month, highlow) VALUES (5, 'L');
INSERT INTO season (month, highlow) VALUES (6, 'H');
INSERT INTO season (month, highlow) VALUES (7, 'H');
INSERT INTO season (month, highlow) VALUES (8, 'H');
INSERT INTO season (month, highlow) VALUES (9, 'L');
INSERT INTO season (month, highlow) VALUES (10, 'L');
INSERT INTO season (month, highlow) VALUES (11, 'L');
INSERT INTO season (month, highlow) VALUES (12, 'H');

INSERT INTO settings (webbookingemail, webbookingproviderindex, webbookingprovidercustom)
    VALUES ('', 0, '');

INSERT INTO DatabaseVersion (ver) VALUES (3);

-- Supplied rows: a new user may change or remove them. ---------------------

-- Words for the lettable unit offered by the configuration wizard. The plural
-- is looked up by its text, so no plural may contain an apostrophe.
INSERT INTO Commodity (singular, plural) VALUES ('Room', 'Rooms');
INSERT INTO Commodity (singular, plural) VALUES ('Apartment', 'Apartments');
INSERT INTO Commodity (singular, plural) VALUES ('Cabin', 'Cabins');
INSERT INTO Commodity (singular, plural) VALUES ('Chalet', 'Chalets');
INSERT INTO Commodity (singular, plural) VALUES ('Cottage', 'Cottages');
INSERT INTO Commodity (singular, plural) VALUES ('Villa', 'Villas');
INSERT INTO Commodity (singular, plural) VALUES ('Suite', 'Suites');
INSERT INTO Commodity (singular, plural) VALUES ('Studio', 'Studios');
INSERT INTO Commodity (singular, plural) VALUES ('Lodge', 'Lodges');
INSERT INTO Commodity (singular, plural) VALUES ('Bungalow', 'Bungalows');
INSERT INTO Commodity (singular, plural) VALUES ('Unit', 'Units');
INSERT INTO Commodity (singular, plural) VALUES ('Bed', 'Beds');
INSERT INTO Commodity (singular, plural) VALUES ('Site', 'Sites');
INSERT INTO Commodity (singular, plural) VALUES ('Pitch', 'Pitches');
INSERT INTO Commodity (singular, plural) VALUES ('Caravan', 'Caravans');
INSERT INTO Commodity (singular, plural) VALUES ('Tent', 'Tents');
INSERT INTO Commodity (singular, plural) VALUES ('Boat', 'Boats');
INSERT INTO Commodity (singular, plural) VALUES ('Berth', 'Berths');
INSERT INTO Commodity (singular, plural) VALUES ('House', 'Houses');
INSERT INTO Commodity (singular, plural) VALUES ('Property', 'Properties');
INSERT INTO Commodity (singular, plural) VALUES ('Office', 'Offices');
INSERT INTO Commodity (singular, plural) VALUES ('Desk', 'Desks');
INSERT INTO Commodity (singular, plural) VALUES ('Court', 'Courts');
INSERT INTO Commodity (singular, plural) VALUES ('Vehicle', 'Vehicles');

-- Payment methods in the order they are offered; the fourth one shows the
-- card fields on the payment step.
INSERT INTO PaymentMethod (method) VALUES ('Cash');
INSERT INTO PaymentMethod (method) VALUES ('Cheque');
INSERT INTO PaymentMethod (method) VALUES ('Bank Transfer');
INSERT INTO PaymentMethod (method) VALUES ('Credit Card');
INSERT INTO PaymentMethod (method) VALUES ('Other');

-- A few units so that a booking can be made at once, charged by the night
-- with the first sales tax.
INSERT INTO room (Name, Notes, ChargeForEach, UnitPrice, LowUnitPrice, HighUnitPrice,
                  LowWeekendPrice, HighWeekendPrice, TaxRateID, CommissionID, CommissionPercentage)
    VALUES ('Room 1', 'Queen bed, garden view.', 'Night',
            950000, 950000, 1200000, 1050000, 1350000, 2, NULL, 0);
INSERT INTO room (Name, Notes, ChargeForEach, UnitPrice, LowUnitPrice, HighUnitPrice,
                  LowWeekendPrice, HighWeekendPrice, TaxRateID, CommissionID, CommissionPercentage)
    VALUES ('Room 2', 'Twin beds.', 'Night',
            850000, 850000, 1100000, 950000, 1250000, 2, NULL, 0);
INSERT INTO room (Name, Notes, ChargeForEach, UnitPrice, LowUnitPrice, HighUnitPrice,
                  LowWeekendPrice, HighWeekendPrice, TaxRateID, CommissionID, CommissionPercentage)
    VALUES ('Room 3', 'King bed, sea view.', 'Night',
            1200000, 1200000, 1500000, 1350000, 1700000, 2, NULL, 0);
INSERT INTO room (Name, Notes, ChargeForEach, UnitPrice, LowUnitPrice, HighUnitPrice,
                  LowWeekendPrice, HighWeekendPrice, TaxRateID, CommissionID, CommissionPercentage)
    VALUES ('Room 4', 'Family room, sleeps four.', 'Night',
            1400000, 1400000, 1800000, 1550000, 2000000, 2, NULL, 0);
INSERT INTO room (Name, Notes, ChargeForEach, UnitPrice, LowUnitPrice, HighUnitPrice,
                  LowWeekendPrice, HighWeekendPrice, TaxRateID, CommissionID, CommissionPercentage)
    VALUES ('Suite', 'Two rooms with a kitchenette.', 'Night',
            1800000, 1800000, 2300000, 2000000, 2600000, 2, NULL, 0);
