// gendb: fills a copy of the default database with a large, realistic set of
// units, customers and bookings, for benchmarks and for trying the program on
// a busy hotel.
//
//   gendb OUT.mdb --from DEFAULT.mdb [--preset large|long|wide] [--units 100]
//         [--customers 20000] [--bookings 50000] [--years 10] [--seed 1]
//         [--today YYYY-MM-DD]
//
// Presets (options after a preset change it):
//   large  100 units, 10 years, 20,000 customers, 50,000 bookings (the default)
//   long   100 units, 100 years, 200,000 customers, 500,000 bookings
//   wide   1,000 units, 10 years, 200,000 customers, 500,000 bookings
//
// The bookings cover the given number of years and end about one year after
// today, so today and the months around it are busy. Each unit is let in
// sequence: stays of one unit never overlap, not even at their boundaries.
// The same seed and the same today give the same file.
//
// The units of DEFAULT are replaced by the generated ones; everything else in
// it (tax rates, seasons, payment methods...) is kept and used.
#include "core/sqliteext.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <queue>
#include <string>
#include <system_error>
#include <tuple>
#include <vector>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// ---------------------------------------------------------------- randomness
// Own generator and mappings: the standard distributions differ between
// library implementations, and the output must not.
class Random {
public:
    // Neighbouring seeds must not give shifted copies of one sequence, so the
    // seed is scrambled before it becomes the state.
    explicit Random(uint64_t seed) : m_state(mix(mix(seed ^ 0x2545F4914F6CDD1Dull))) {}
    uint64_t next() { return mix(m_state += 0x9E3779B97F4A7C15ull); }
    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }  // [0, 1)
    int below(int n) { return n <= 0 ? 0 : int(unit() * n); }                   // [0, n)
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }             // [lo, hi]
    bool chance(double p) { return unit() < p; }
    template <class T> const T& pick(const std::vector<T>& v) { return v[size_t(below(int(v.size())))]; }
    // Index by weight.
    int weighted(const std::vector<double>& weights)
    {
        double total = 0;
        for (double w : weights)
            total += w;
        double x = unit() * total;
        for (size_t i = 0; i < weights.size(); ++i) {
            if (x < weights[i])
                return int(i);
            x -= weights[i];
        }
        return int(weights.size()) - 1;
    }

private:
    static uint64_t mix(uint64_t z)
    {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint64_t m_state;
};

// --------------------------------------------------------------------- dates
// Days are counted from 1970-01-01; a moment is a day times 1440 plus the
// minute of the day.
int64_t daysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * unsigned(m + (m > 2 ? -3 : 9)) + 2) / 5 + unsigned(d) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + int64_t(doe) - 719468;
}

void civilFromDays(int64_t z, int* y, int* m, int* d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    *d = int(doy - (153 * mp + 2) / 5 + 1);
    *m = int(mp < 10 ? mp + 3 : mp - 9);
    *y = int(yoe + uint64_t(era) * 400 + (*m <= 2));
}

int monthOfDay(int64_t day)
{
    int y, m, d;
    civilFromDays(day, &y, &m, &d);
    return m;
}

// 0 = Sunday ... 6 = Saturday.
int weekdayOf(int64_t day) { return int(((day % 7) + 11) % 7); }
bool isWeekend(int64_t day) { const int w = weekdayOf(day); return w == 0 || w == 6; }

std::string formatMoment(int64_t moment)
{
    const int64_t day = moment >= 0 ? moment / 1440 : (moment - 1439) / 1440;
    const int minute = int(moment - day * 1440);
    int y, m, d;
    civilFromDays(day, &y, &m, &d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:00", y, m, d, minute / 60, minute % 60);
    return buf;
}

std::string formatShortDate(int64_t day)
{
    int y, m, d;
    civilFromDays(day, &y, &m, &d);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d, m, y);
    return buf;
}

bool parseDate(const std::string& s, int64_t* day)
{
    int y = 0, m = 0, d = 0;
    if (std::sscanf(s.c_str(), "%d-%d-%d", &y, &m, &d) != 3 || m < 1 || m > 12 || d < 1 || d > 31)
        return false;
    *day = daysFromCivil(y, m, d);
    return true;
}

int64_t localToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &now);
#else
    localtime_r(&now, &tm);
#endif
    return daysFromCivil(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

// -------------------------------------------------------------------- money
using Money = int64_t;  // ten-thousandths
constexpr Money kUnit = 10000;

Money percentOf(Money amount, double percentage)
{
    return Money(std::llround(double(amount) * percentage / 100.0));
}

// --------------------------------------------------------------- name lists
// NumberFirst adds a suffix such as "Road"; NumberFirstNamed has it in the name.
enum class StreetStyle { NumberFirst, NumberFirstNamed, NumberLast, PolishUl };

struct City {
    const char* name;
    const char* state;
    const char* postcode;  // '#' a digit, '@' a capital letter
};

struct Profile {
    const char* country;
    double weight;
    std::vector<const char*> firstNames;
    std::vector<const char*> lastNames;
    std::vector<City> cities;
    std::vector<const char*> streets;
    StreetStyle style;
    const char* phone;   // patterns as for postcodes
    const char* mobile;
};

const std::vector<Profile>& profiles()
{
    static const std::vector<Profile> list = {
        {"United States", 30,
         {"James", "Mary", "Robert", "Patricia", "Michael", "Jennifer", "William", "Linda", "David",
          "Elizabeth", "Daniel", "Jessica", "Matthew", "Ashley", "Christopher", "Sarah", "Andrew", "Emily",
          "Joshua", "Megan", "Tyler", "Hannah", "Kevin", "Lauren", "Brian", "Rachel", "José", "Zoë"},
         {"Smith", "Johnson", "Williams", "Brown", "Jones", "Miller", "Davis", "Wilson", "Anderson", "Taylor",
          "Thomas", "Moore", "Martin", "Jackson", "Thompson", "White", "Harris", "Clark", "Lewis", "Robinson",
          "Walker", "Young", "Allen", "King", "Wright", "Scott", "Nguyen", "Hernández", "O'Neil", "McAllister"},
         {{"New York", "NY", "100##"}, {"Boston", "MA", "021##"}, {"Chicago", "IL", "606##"},
          {"Seattle", "WA", "981##"}, {"Austin", "TX", "787##"}, {"Denver", "CO", "802##"},
          {"San Diego", "CA", "921##"}, {"Portland", "OR", "972##"}, {"Atlanta", "GA", "303##"},
          {"Minneapolis", "MN", "554##"}},
         {"Main", "Oak", "Maple", "Cedar", "Elm", "Washington", "Lake", "Hill", "Park", "Sunset", "River", "Pine"},
         StreetStyle::NumberFirst, "(###) 555-01##", "(###) 555-####"},
        {"United Kingdom", 20,
         {"Oliver", "Amelia", "Harry", "Isla", "George", "Ava", "Jack", "Emily", "Charlie", "Sophie", "Thomas",
          "Grace", "Oscar", "Lily", "Alfie", "Freya", "Samuel", "Poppy", "Rhys", "Eleri"},
         {"Smith", "Jones", "Taylor", "Brown", "Williams", "Wilson", "Evans", "Thomas", "Roberts", "Walker",
          "Wright", "Hughes", "Edwards", "Green", "Hall", "Wood", "Clarke", "Turner", "Ward", "Phillips",
          "Davies", "Hill", "Morgan", "Cooper", "Price", "Baker", "O'Hara", "Ap Rhys"},
         {{"London", "Greater London", "SW# #@@"}, {"Manchester", "Greater Manchester", "M## #@@"},
          {"Bristol", "Bristol", "BS# #@@"}, {"Edinburgh", "Midlothian", "EH# #@@"},
          {"York", "North Yorkshire", "YO## #@@"}, {"Bath", "Somerset", "BA# #@@"},
          {"Cardiff", "South Glamorgan", "CF## #@@"}},
         {"High", "Station", "Church", "Victoria", "Green", "Manor", "Mill", "Queen's", "King's", "Kingsway",
          "Albert", "Park"},
         StreetStyle::NumberFirst, "020 7946 0###", "07700 900###"},
        {"Ireland", 6,
         {"Siobhán", "Aoife", "Seán", "Ciarán", "Niamh", "Pádraig", "Róisín", "Eoin", "Caoimhe", "Oisín", "Máire",
          "Declan", "Orla", "Cian"},
         {"O'Brien", "O'Connor", "O'Sullivan", "Murphy", "Kelly", "Byrne", "Ryan", "Walsh", "O'Neill", "Doyle",
          "McCarthy", "Gallagher", "Fitzgerald", "Lynch", "O'Reilly", "Ó Briain"},
         {{"Dublin", "Co. Dublin", "D0# @@##"}, {"Cork", "Co. Cork", "T12 @@##"},
          {"Galway", "Co. Galway", "H91 @@##"}, {"Limerick", "Co. Limerick", "V94 @@##"}},
         {"Main", "Church", "Bridge", "Castle", "Harbour", "Abbey", "O'Connell"},
         StreetStyle::NumberFirst, "+353 1 ### ####", "+353 87 ### ####"},
        {"Canada", 6,
         {"Liam", "Chloé", "Noah", "Émilie", "Ethan", "Olivia", "Félix", "Léa", "Logan", "Zoé", "Mathis",
          "Gabrielle"},
         {"Tremblay", "Gagnon", "Roy", "Côté", "Bouchard", "Gauthier", "MacDonald", "Campbell", "Stewart",
          "Lévesque", "Bélanger", "Martin"},
         {{"Toronto", "ON", "M#@ #@#"}, {"Vancouver", "BC", "V#@ #@#"}, {"Montréal", "QC", "H#@ #@#"},
          {"Québec", "QC", "G#@ #@#"}, {"Ottawa", "ON", "K#@ #@#"}, {"Halifax", "NS", "B#@ #@#"}},
         {"Yonge", "Queen", "Bloor", "Sainte-Catherine", "Saint-Laurent", "Granville", "Robson", "Spring Garden"},
         StreetStyle::NumberFirst, "(###) 555-01##", "(###) 555-####"},
        {"Australia", 5,
         {"Jack", "Charlotte", "William", "Mia", "Lachlan", "Matilda", "Cooper", "Ruby", "Hamish", "Zoe"},
         {"Smith", "Jones", "Williams", "Brown", "Wilson", "Taylor", "Nguyen", "Kelly", "Ryan", "Mitchell",
          "Campbell", "O'Donnell"},
         {{"Sydney", "NSW", "2###"}, {"Melbourne", "VIC", "3###"}, {"Brisbane", "QLD", "4###"},
          {"Perth", "WA", "6###"}, {"Hobart", "TAS", "7###"}, {"Adelaide", "SA", "5###"}},
         {"George", "Pitt", "Collins", "Flinders", "Beach", "Ocean", "Bay", "Eucalyptus"},
         StreetStyle::NumberFirst, "(02) 5550 ####", "0491 570 ###"},
        {"Germany", 8,
         {"Jürgen", "Lukas", "Anna", "Jörg", "Lena", "Maximilian", "Sophie", "Felix", "Marie", "Björn", "Katrin",
          "Uwe", "Hannah", "Günter", "Jonas", "Leonie"},
         {"Müller", "Schmidt", "Schneider", "Fischer", "Weber", "Meyer", "Wagner", "Becker", "Schulz", "Hoffmann",
          "Schäfer", "Koch", "Bauer", "Richter", "Klein", "Wolf", "Schröder", "Neumann", "Zimmermann", "Krüger",
          "Groß", "von Bülow"},
         {{"Berlin", "Berlin", "10###"}, {"München", "Bayern", "80###"}, {"Hamburg", "Hamburg", "20###"},
          {"Köln", "Nordrhein-Westfalen", "50###"}, {"Düsseldorf", "Nordrhein-Westfalen", "40###"},
          {"Freiburg im Breisgau", "Baden-Württemberg", "79###"}, {"Nürnberg", "Bayern", "90###"}},
         {"Hauptstraße", "Schillerstraße", "Bahnhofstraße", "Gartenweg", "Lindenallee", "Goethestraße",
          "Mühlenweg", "Am Markt"},
         StreetStyle::NumberLast, "+49 30 #######", "+49 151 ########"},
        {"France", 6,
         {"Émilie", "François", "Hélène", "Jérôme", "Camille", "Léa", "Théo", "Océane", "Benoît", "Clément",
          "Chloé", "Amélie", "Gaëlle", "Loïc", "Zoë"},
         {"Martin", "Bernard", "Dubois", "Thomas", "Robert", "Richard", "Petit", "Durand", "Leroy", "Moreau",
          "Lefèvre", "Girard", "Bonnet", "D'Artois", "Rousseau", "Fontaine", "Chevalier", "de l'Isle"},
         {{"Paris", "Île-de-France", "75###"}, {"Lyon", "Auvergne-Rhône-Alpes", "69###"},
          {"Marseille", "Provence-Alpes-Côte d'Azur", "13###"}, {"Bordeaux", "Nouvelle-Aquitaine", "33###"},
          {"Nice", "Provence-Alpes-Côte d'Azur", "06###"}, {"Toulouse", "Occitanie", "31###"},
          {"Strasbourg", "Grand Est", "67###"}},
         {"rue de la Paix", "avenue Victor Hugo", "boulevard Saint-Michel", "rue de l'Église",
          "place du Marché", "quai des Célestins", "chemin des Vignes"},
         StreetStyle::NumberFirstNamed, "+33 1 ## ## ## ##", "+33 6 ## ## ## ##"},
        {"Spain", 4,
         {"José", "María", "Javier", "Lucía", "Álvaro", "Sofía", "Iñigo", "Nuria", "Andrés", "Paula", "Raúl",
          "Begoña"},
         {"García", "Fernández", "González", "Rodríguez", "López", "Martínez", "Sánchez", "Pérez", "Gómez",
          "Jiménez", "Ruiz", "Díaz", "Muñoz", "Álvarez", "Ibáñez", "Núñez"},
         {{"Madrid", "Madrid", "28###"}, {"Barcelona", "Cataluña", "08###"}, {"Sevilla", "Andalucía", "41###"},
          {"Valencia", "Comunidad Valenciana", "46###"}, {"Málaga", "Andalucía", "29###"},
          {"Bilbao", "País Vasco", "48###"}},
         {"Calle Mayor", "Avenida de la Constitución", "Calle del Sol", "Paseo de Gracia", "Plaza de España",
          "Calle de Alcalá"},
         StreetStyle::NumberLast, "+34 91 ### ## ##", "+34 6## ### ###"},
        {"Italy", 4,
         {"Giuseppe", "Giulia", "Marco", "Francesca", "Luca", "Chiara", "Niccolò", "Sara", "Alessandro",
          "Martina"},
         {"Rossi", "Russo", "Ferrari", "Esposito", "Bianchi", "Romano", "Colombo", "Ricci", "Marino", "Greco",
          "D'Angelo", "Bruno", "De Luca", "Conti", "Dell'Acqua"},
         {{"Roma", "Lazio", "00###"}, {"Milano", "Lombardia", "20###"}, {"Firenze", "Toscana", "50###"},
          {"Napoli", "Campania", "80###"}, {"Torino", "Piemonte", "10###"}, {"Bologna", "Emilia-Romagna", "40###"}},
         {"Via Roma", "Via Garibaldi", "Corso Vittorio Emanuele", "Via dell'Orto", "Piazza del Duomo",
          "Via della Libertà"},
         StreetStyle::NumberLast, "+39 06 #### ####", "+39 3## ### ####"},
        {"Denmark", 2,
         {"Søren", "Mette", "Jens", "Signe", "Rasmus", "Ida", "Anders", "Freja"},
         {"Jensen", "Nielsen", "Hansen", "Pedersen", "Andersen", "Christensen", "Sørensen", "Nørgaard", "Møller",
          "Østergaard"},
         {{"København", "Hovedstaden", "1###"}, {"Aarhus", "Midtjylland", "8000"}, {"Odense", "Syddanmark", "5000"}},
         {"Strandvejen", "Østerbrogade", "Søndergade", "Vestergade", "Nørregade"},
         StreetStyle::NumberLast, "+45 ## ## ## ##", "+45 ## ## ## ##"},
        {"Norway", 1.5,
         {"Åse", "Ola", "Kari", "Øyvind", "Ingrid", "Håkon", "Sigrid", "Bjørn"},
         {"Hansen", "Johansen", "Olsen", "Larsen", "Ødegaard", "Berg", "Haugen", "Strøm", "Dahl", "Lie"},
         {{"Oslo", "Oslo", "0###"}, {"Bergen", "Vestland", "5###"}, {"Trondheim", "Trøndelag", "7###"}},
         {"Storgata", "Kirkegata", "Strandgaten", "Bryggen", "Torggata"},
         StreetStyle::NumberLast, "+47 ## ## ## ##", "+47 4## ## ###"},
        {"Sweden", 2,
         {"Åsa", "Björn", "Märta", "Lars", "Karin", "Göran", "Elin", "Oskar"},
         {"Andersson", "Johansson", "Karlsson", "Nilsson", "Eriksson", "Larsson", "Öberg", "Lindström",
          "Åkesson", "Bergström"},
         {{"Stockholm", "Stockholms län", "1## ##"}, {"Göteborg", "Västra Götaland", "4## ##"},
          {"Malmö", "Skåne", "2## ##"}, {"Uppsala", "Uppsala län", "75# ##"}},
         {"Drottninggatan", "Kungsgatan", "Storgatan", "Sveavägen", "Götgatan"},
         StreetStyle::NumberLast, "+46 8 ### ### ##", "+46 70 ### ## ##"},
        {"Poland", 2,
         {"Łukasz", "Małgorzata", "Katarzyna", "Paweł", "Agnieszka", "Wojciech", "Zofia", "Michał", "Joanna",
          "Krzysztof"},
         {"Kowalski", "Nowak", "Wiśniewski", "Wójcik", "Kamiński", "Lewandowski", "Zieliński", "Szymański",
          "Dąbrowski", "Kozłowski"},
         {{"Warszawa", "mazowieckie", "0#-###"}, {"Kraków", "małopolskie", "3#-###"},
          {"Gdańsk", "pomorskie", "80-###"}, {"Wrocław", "dolnośląskie", "5#-###"}},
         {"Długa", "Marszałkowska", "Floriańska", "Piękna", "Świętojańska"},
         StreetStyle::PolishUl, "+48 22 ### ## ##", "+48 5## ### ###"},
        {"Czech Republic", 1,
         {"Jiří", "Petra", "Tomáš", "Lucie", "Jana", "Ondřej", "Tereza", "Pavel"},
         {"Dvořák", "Novák", "Svoboda", "Novotný", "Černý", "Procházka", "Kučera", "Veselý"},
         {{"Praha", "Hlavní město Praha", "1## ##"}, {"Brno", "Jihomoravský kraj", "6## ##"}},
         {"Národní", "Masarykova", "Vinohradská", "Husova"},
         StreetStyle::NumberLast, "+420 2## ### ###", "+420 6## ### ###"},
        {"New Zealand", 2,
         {"Aroha", "Nikau", "Mere", "Tāne", "Olivia", "Jack", "Isla", "Hunter"},
         {"Smith", "Wilson", "Williams", "Brown", "Taylor", "Te Whata", "Ngata", "Parata", "Walker"},
         {{"Auckland", "Auckland", "10##"}, {"Wellington", "Wellington", "60##"},
          {"Christchurch", "Canterbury", "80##"}, {"Queenstown", "Otago", "93##"}},
         {"Queen", "Lambton", "Cuba", "Colombo", "Shotover", "Ponsonby"},
         StreetStyle::NumberFirst, "+64 9 ### ####", "+64 21 ### ####"},
    };
    return list;
}

const std::vector<const char*> kStreetSuffixes = {"Street", "Road", "Avenue", "Lane", "Drive", "Close",
                                                  "Crescent", "Way", "Terrace", "Place"};
const std::vector<const char*> kSecondLines = {"Apt 4B", "Flat 2", "Suite 300", "Unit 7", "Apartment 12",
                                               "Floor 3", "c/o Reception", "Building C", "PO Box 118"};
const std::vector<const char*> kEmailDomains = {"example.com", "example.org", "example.net",
                                                "mail.example.com", "post.example.net", "inbox.example.org"};
const std::vector<const char*> kBusinessForms = {"%s & Co", "%s Consulting", "%s Ltd", "%s & Sons",
                                                 "%s Family Trust", "%s Partners"};
const std::vector<const char*> kBusinesses = {"Northwind Traders", "Blue Harbour Events", "Café Müller GmbH",
                                              "Société des Voyages", "O'Malley's Pub", "Acme Widgets",
                                              "Fjord & Field AB", "Złota Rybka Sp. z o.o."};
const std::vector<const char*> kStaff = {"Anna", "Ben", "Claire", "Dmitri", "Élodie", "Frank", "Reception",
                                         "Night desk", "Web", "Owner"};
const std::vector<const char*> kBookingNotes = {
    "Late arrival, around 22:00.", "Anniversary - flowers in the room please.", "Guest's dog comes too.",
    "Needs a cot.", "Ground floor requested.", "Allergic to feathers: synthetic pillows.",
    "Pays on arrival.", "Returning guest - give the usual room.", "Arrives by train; pick up at the station.",
    "Früh anreisen möglich?", "Wedding party, see the O'Sullivan booking.", "Invoice to the company."};
const std::vector<const char*> kUnitNotes = {
    "Sea view.", "Garden view, ground floor.", "Accessible bathroom.", "Quiet side of the building.",
    "Guests' lounge access.", "Balcony; no smoking.", "Connecting door to the next unit.",
    "Kitchenette with a two-ring hob.", "Pets allowed.", "Fireplace - wood in the shed."};
const std::vector<const char*> kFreeLines = {"Minibar", "Laundry", "Champagne on arrival", "Damaged towel",
                                             "Bike hire", "Picnic basket", "Guided tour", "Room service"};

// One catalogue item the generator adds, with how its quantity is counted.
struct ExtraItem {
    const char* name;
    Money price;
    enum Per { Once, Night, NightAndPerson } per;
};
const std::vector<ExtraItem> kExtraItems = {
    {"Breakfast", 125000, ExtraItem::NightAndPerson}, {"Parking", 80000, ExtraItem::Night},
    {"Late Check-out", 200000, ExtraItem::Once},      {"Airport Transfer", 350000, ExtraItem::Once},
    {"Extra Bed", 250000, ExtraItem::Night},          {"Dinner", 285000, ExtraItem::Once}};

const std::vector<const char*> kAccounts = {"Sunrise Travel", "Coast & Country Holidays", "O'Malley Tours",
                                            "Agence Évasion"};
const std::vector<const char*> kBookingChoices = {"Phone", "Email", "Website", "Walk-in", "Agent"};

// Fills a pattern: '#' becomes a digit, '@' a capital letter.
std::string fillPattern(Random& r, const char* pattern)
{
    std::string s;
    for (const char* p = pattern; *p; ++p) {
        if (*p == '#')
            s += char('0' + r.below(10));
        else if (*p == '@')
            s += char('A' + r.below(26));
        else
            s += *p;
    }
    return s;
}

// Plain lower-case ASCII letters for an e-mail address: accents are dropped,
// other characters left out.
std::string mailPart(const std::string& utf8)
{
    static const std::map<uint32_t, const char*> folds = {
        {0xE0, "a"}, {0xE1, "a"}, {0xE2, "a"}, {0xE3, "a"}, {0xE4, "a"}, {0xE5, "a"}, {0xE6, "ae"},
        {0xE7, "c"}, {0xE8, "e"}, {0xE9, "e"}, {0xEA, "e"}, {0xEB, "e"}, {0xEC, "i"}, {0xED, "i"},
        {0xEE, "i"}, {0xEF, "i"}, {0xF1, "n"}, {0xF2, "o"}, {0xF3, "o"}, {0xF4, "o"}, {0xF5, "o"},
        {0xF6, "o"}, {0xF8, "o"}, {0xF9, "u"}, {0xFA, "u"}, {0xFB, "u"}, {0xFC, "u"}, {0xFD, "y"},
        {0xDF, "ss"}, {0x101, "a"}, {0x105, "a"}, {0x107, "c"}, {0x10D, "c"}, {0x119, "e"}, {0x11B, "e"},
        {0x142, "l"}, {0x144, "n"}, {0x159, "r"}, {0x15B, "s"}, {0x161, "s"}, {0x16F, "u"}, {0x17A, "z"},
        {0x17C, "z"}, {0x17E, "z"}};
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        uint32_t cp = c;
        int len = 1;
        if (c >= 0xF0) { cp = c & 0x07; len = 4; }
        else if (c >= 0xE0) { cp = c & 0x0F; len = 3; }
        else if (c >= 0xC0) { cp = c & 0x1F; len = 2; }
        for (int k = 1; k < len && i + size_t(k) < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + size_t(k)]) & 0x3F);
        i += size_t(len);
        if (cp < 0x80) {
            if (std::isalnum(int(cp)))
                out += char(std::tolower(int(cp)));
            continue;
        }
        // Capital letters of Latin-1 and Latin Extended-A sit at fixed offsets
        // from their small letters.
        if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)
            cp += 0x20;
        else if (cp >= 0x100 && cp <= 0x17F && (cp == 0x141 || cp == 0x143 || cp == 0x179 || cp == 0x17B
                                                || cp == 0x17D))
            cp += 1;
        else if (cp >= 0x100 && cp <= 0x17F && cp % 2 == 0 && cp != 0x138)
            cp += 1;
        const auto it = folds.find(cp);
        if (it != folds.end())
            out += it->second;
    }
    return out;
}

// A card number that passes the Luhn check.
std::string cardNumber(Random& r, char first)
{
    int digits[16];
    digits[0] = first - '0';
    for (int i = 1; i < 15; ++i)
        digits[i] = r.below(10);
    int sum = 0;
    for (int i = 14, k = 0; i >= 0; --i, ++k) {
        int d = digits[i];
        if (k % 2 == 0) {
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        sum += d;
    }
    digits[15] = (10 - sum % 10) % 10;
    std::string s;
    for (int i = 0; i < 16; ++i) {
        if (i > 0 && i % 4 == 0)
            s += ' ';
        s += char('0' + digits[i]);
    }
    return s;
}

// ------------------------------------------------------------ sqlite helpers
[[noreturn]] void die(sqlite3* db, const std::string& what)
{
    std::fprintf(stderr, "gendb: %s: %s\n", what.c_str(), db ? sqlite3_errmsg(db) : "");
    std::exit(1);
}

void exec(sqlite3* db, const char* sql)
{
    char* msg = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &msg) != SQLITE_OK) {
        std::fprintf(stderr, "gendb: %s: %s\n", sql, msg ? msg : "");
        std::exit(1);
    }
}

class Statement {
public:
    Statement(sqlite3* db, const char* sql) : m_db(db), m_sql(sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            die(db, sql);
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int i, int64_t v) { check(sqlite3_bind_int64(m_stmt, i, v)); return *this; }
    Statement& bind(int i, double v) { check(sqlite3_bind_double(m_stmt, i, v)); return *this; }
    Statement& bind(int i, const std::string& v)
    {
        check(sqlite3_bind_text(m_stmt, i, v.c_str(), int(v.size()), SQLITE_TRANSIENT));
        return *this;
    }
    Statement& bindNull(int i) { check(sqlite3_bind_null(m_stmt, i)); return *this; }
    // Runs a statement that returns no row; the new row's id.
    int64_t run()
    {
        if (sqlite3_step(m_stmt) != SQLITE_DONE)
            die(m_db, m_sql);
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        return sqlite3_last_insert_rowid(m_db);
    }
    bool step()
    {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            die(m_db, m_sql);
        return false;
    }
    int64_t integer(int col) const { return sqlite3_column_int64(m_stmt, col); }
    double real(int col) const { return sqlite3_column_double(m_stmt, col); }
    std::string text(int col) const
    {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, col));
        return t ? t : "";
    }

private:
    void check(int rc)
    {
        if (rc != SQLITE_OK)
            die(m_db, m_sql);
    }
    sqlite3* m_db;
    const char* m_sql;
    sqlite3_stmt* m_stmt = nullptr;
};

// ------------------------------------------------------------- the generator
enum class Charge { Night, NightAndPerson, Hour, Week, Month, Person };

const char* chargeText(Charge c)
{
    switch (c) {
    case Charge::Night: return "Night";
    case Charge::NightAndPerson: return "Night and Person";
    case Charge::Hour: return "Hour";
    case Charge::Week: return "Week";
    case Charge::Month: return "Month";
    case Charge::Person: return "Person";
    }
    return "Night";
}

struct Unit {
    int64_t id = 0;
    std::string name;
    Charge charge = Charge::Night;
    Money unitPrice = 0, lowPrice = 0, highPrice = 0, lowWeekend = 0, highWeekend = 0;
    int64_t commissionId = 0;  // 0 = none
    double commissionPercentage = 0;
};

struct Options {
    std::string out;
    std::string from;
    int units = 100;
    int customers = 20000;
    int bookings = 50000;
    int years = 10;
    uint64_t seed = 1;
    int64_t today = 0;
};

void usage()
{
    std::fprintf(stderr,
                 "usage: gendb OUT.mdb --from DEFAULT.mdb [--preset large|long|wide] [--units 100]\n"
                 "             [--customers 20000] [--bookings 50000] [--years 10] [--seed 1]\n"
                 "             [--today YYYY-MM-DD]\n");
}

bool parseArgs(int argc, char** argv, Options* o)
{
    o->today = localToday();
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](long long lo, long long hi, long long* v) {
            if (i + 1 >= argc)
                return false;
            char* end = nullptr;
            *v = std::strtoll(argv[++i], &end, 10);
            return end && *end == '\0' && *v >= lo && *v <= hi;
        };
        long long v = 0;
        if (a == "--from" && i + 1 < argc) {
            o->from = argv[++i];
        } else if (a == "--preset" && i + 1 < argc) {
            const std::string preset = argv[++i];
            if (preset == "large") {
                o->units = 100, o->years = 10, o->customers = 20000, o->bookings = 50000;
            } else if (preset == "long") {
                o->units = 100, o->years = 100, o->customers = 200000, o->bookings = 500000;
            } else if (preset == "wide") {
                o->units = 1000, o->years = 10, o->customers = 200000, o->bookings = 500000;
            } else {
                return false;
            }
        } else if (a == "--units") {
            if (!value(1, 30000, &v)) return false;
            o->units = int(v);
        } else if (a == "--customers") {
            if (!value(1, 10000000, &v)) return false;
            o->customers = int(v);
        } else if (a == "--bookings") {
            if (!value(0, 10000000, &v)) return false;
            o->bookings = int(v);
        } else if (a == "--years") {
            if (!value(1, 100, &v)) return false;
            o->years = int(v);
        } else if (a == "--seed") {
            if (!value(0, 0x7FFFFFFFFFFFFFFFLL, &v)) return false;
            o->seed = uint64_t(v);
        } else if (a == "--today" && i + 1 < argc) {
            if (!parseDate(argv[++i], &o->today)) return false;
        } else if (a.rfind("--", 0) != 0 && o->out.empty()) {
            o->out = a;
        } else {
            return false;
        }
    }
    return !o->out.empty() && !o->from.empty();
}

Money roundTo(Money m, Money step) { return (m + step / 2) / step * step; }

class Generator {
public:
    Generator(sqlite3* db, const Options& o) : m_db(db), m_o(o), m_r(o.seed) {}

    void run()
    {
        readReference();
        addReferenceRows();
        addUnits();
        addCustomers();
        addBookings();
        addCommissionPayments();
    }

    int64_t unitCount() const { return int64_t(m_units.size()); }
    int64_t bookingCount() const { return m_bookingsMade; }
    int64_t lineCount() const { return m_linesMade; }
    int64_t firstDay() const { return m_firstDay; }
    int64_t lastMoment() const { return m_lastMoment; }

private:
    // What the default database brings: the first sales tax, the seasons and
    // the payment methods.
    void readReference()
    {
        {
            Statement s(m_db, "SELECT name, percentage FROM taxrate WHERE id = 2");
            if (!s.step())
                die(m_db, "the default database has no taxrate row 2");
            m_taxName = s.text(0);
            m_taxPercentage = s.real(1);
        }
        for (int m = 1; m <= 12; ++m)
            m_high[m] = false;
        {
            Statement s(m_db, "SELECT month, highlow FROM season");
            while (s.step()) {
                const int64_t m = s.integer(0);
                if (m >= 1 && m <= 12) {
                    m_high[m] = s.text(1) == "H";
                    m_seasonKnown[m] = true;
                }
            }
        }
        {
            Statement s(m_db, "SELECT method FROM PaymentMethod ORDER BY id");
            while (s.step())
                m_methods.push_back(s.text(0));
        }
    }

    void addReferenceRows()
    {
        Statement item(m_db, "INSERT INTO item (name, SaleAmount, TaxRateID, IsDefault) VALUES (?, ?, 2, 0)");
        for (const auto& e : kExtraItems)
            m_itemIds.push_back(item.bind(1, std::string(e.name)).bind(2, int64_t(e.price)).run());
        Statement account(m_db, "INSERT INTO commission (name, notes) VALUES (?, ?)");
        for (const char* a : kAccounts)
            m_accountIds.push_back(account.bind(1, std::string(a)).bind(2, std::string("Agent; paid quarterly.")).run());
        Statement choice(m_db, "INSERT INTO BookingUDF (name) VALUES (?)");
        for (const char* c : kBookingChoices)
            m_choiceIds.push_back(choice.bind(1, std::string(c)).run());
    }

    void addUnits()
    {
        exec(m_db, "DELETE FROM room");
        Statement ins(m_db,
                      "INSERT INTO room (Name, Notes, ChargeForEach, UnitPrice, LowUnitPrice, HighUnitPrice, "
                      "LowWeekendPrice, HighWeekendPrice, TaxRateID, CommissionID, CommissionPercentage) "
                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, 2, ?, ?)");
        static const std::vector<const char*> suiteNames = {
            "Kingfisher's Nest", "Suite Élysée", "Lakeside Suite", "Garden Suite", "Tower Room",
            "Honeymoon Suite", "Captain's Cabin", "Bridal Suite", "Attic Room", "Orchard View"};
        static const std::vector<const char*> cottageNames = {"Rose", "Ivy", "Heather", "Bramble", "Willow",
                                                              "Hawthorn", "Primrose", "Foxglove", "Thistle",
                                                              "Bluebell"};
        int roomNo = 0, suiteNo = 0, cottageNo = 0, apartmentNo = 0, meetingNo = 0, dormNo = 0, bunkNo = 0;
        for (int i = 0; i < m_o.units; ++i) {
            Unit u;
            const int kind = m_r.weighted({80, 6, 3, 5, 2, 3});
            u.charge = Charge(kind);
            char name[96];
            switch (u.charge) {
            case Charge::Night:
                if (m_r.chance(0.08) && suiteNo < int(suiteNames.size() * 3)) {
                    const char* base = suiteNames[size_t(suiteNo % int(suiteNames.size()))];
                    if (suiteNo < int(suiteNames.size()))
                        std::snprintf(name, sizeof name, "%s", base);
                    else
                        std::snprintf(name, sizeof name, "%s %d", base, suiteNo / int(suiteNames.size()) + 1);
                    ++suiteNo;
                } else {
                    std::snprintf(name, sizeof name, "Room %d%02d", 1 + roomNo / 20, 1 + roomNo % 20);
                    ++roomNo;
                }
                u.lowPrice = Money(m_r.between(12, 48)) * 5 * kUnit;
                break;
            case Charge::NightAndPerson:
                std::snprintf(name, sizeof name, "Bunk Room %d", ++bunkNo);
                u.lowPrice = Money(m_r.between(7, 16)) * 5 * kUnit;
                break;
            case Charge::Hour: {
                const char letter = char('A' + meetingNo % 26);
                if (meetingNo < 26)
                    std::snprintf(name, sizeof name, "Meeting Room %c", letter);
                else
                    std::snprintf(name, sizeof name, "Meeting Room %c%d", letter, meetingNo / 26 + 1);
                ++meetingNo;
                u.lowPrice = Money(m_r.between(4, 12)) * 5 * kUnit;
                break;
            }
            case Charge::Week: {
                const char* base = cottageNames[size_t(cottageNo % int(cottageNames.size()))];
                if (cottageNo < int(cottageNames.size()))
                    std::snprintf(name, sizeof name, "%s Cottage", base);
                else
                    std::snprintf(name, sizeof name, "%s Cottage %d", base, cottageNo / int(cottageNames.size()) + 1);
                ++cottageNo;
                u.unitPrice = Money(m_r.between(10, 30)) * 50 * kUnit;
                u.lowPrice = roundTo(u.unitPrice / 7, kUnit);
                break;
            }
            case Charge::Month:
                std::snprintf(name, sizeof name, "Apartment %d%c", 1 + apartmentNo / 4, char('A' + apartmentNo % 4));
                ++apartmentNo;
                u.unitPrice = Money(m_r.between(15, 35)) * 100 * kUnit;
                u.lowPrice = roundTo(u.unitPrice / 30, kUnit);
                break;
            case Charge::Person:
                std::snprintf(name, sizeof name, "Dorm Bed %d", ++dormNo);
                u.unitPrice = Money(m_r.between(5, 9)) * 5 * kUnit;
                u.lowPrice = u.unitPrice;
                break;
            }
            u.name = name;
            if (u.unitPrice == 0)
                u.unitPrice = u.lowPrice;
            u.highPrice = roundTo(Money(double(u.lowPrice) * (1.2 + 0.05 * m_r.below(5))), 5 * kUnit);
            u.lowWeekend = u.lowPrice + Money(m_r.between(0, 4)) * 5 * kUnit;
            u.highWeekend = u.highPrice + Money(m_r.between(1, 6)) * 5 * kUnit;
            if (m_r.chance(0.08)) {
                u.commissionId = m_r.pick(m_accountIds);
                static const std::vector<double> rates = {10, 12, 12.5, 15};
                u.commissionPercentage = m_r.pick(rates);
            }
            ins.bind(1, u.name);
            if (m_r.chance(0.35))
                ins.bind(2, std::string(m_r.pick(kUnitNotes)));
            else
                ins.bindNull(2);
            ins.bind(3, std::string(chargeText(u.charge)))
                .bind(4, int64_t(u.unitPrice))
                .bind(5, int64_t(u.lowPrice))
                .bind(6, int64_t(u.highPrice))
                .bind(7, int64_t(u.lowWeekend))
                .bind(8, int64_t(u.highWeekend));
            if (u.commissionId)
                ins.bind(9, u.commissionId);
            else
                ins.bindNull(9);
            ins.bind(10, u.commissionPercentage);
            u.id = ins.run();
            m_units.push_back(u);
        }
    }

    void addCustomers()
    {
        Statement ins(m_db,
                      "INSERT INTO customer (FirstName, LastName, BusinessName, Address1, Address2, City, State, "
                      "PostCode, Country, Phone, Fax, Email, SubmittedDate, HomePhone, Mobile) "
                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        const auto& ps = profiles();
        std::vector<double> weights;
        for (const auto& p : ps)
            weights.push_back(p.weight);
        const int64_t periodStart = m_o.today + 365 - int64_t(m_o.years) * 365;
        for (int i = 0; i < m_o.customers; ++i) {
            const Profile& p = ps[size_t(m_r.weighted(weights))];
            const std::string first = m_r.pick(p.firstNames);
            const std::string last = m_r.pick(p.lastNames);
            const City& city = m_r.pick(p.cities);
            char buf[256];
            const int number = m_r.chance(0.7) ? m_r.between(1, 120) : m_r.between(121, 4999);
            switch (p.style) {
            case StreetStyle::NumberFirst:
                std::snprintf(buf, sizeof buf, "%d %s %s", number, m_r.pick(p.streets), m_r.pick(kStreetSuffixes));
                break;
            case StreetStyle::NumberFirstNamed:
                std::snprintf(buf, sizeof buf, "%d %s", number, m_r.pick(p.streets));
                break;
            case StreetStyle::NumberLast:
                std::snprintf(buf, sizeof buf, "%s %d", m_r.pick(p.streets), number % 200 + 1);
                break;
            case StreetStyle::PolishUl:
                std::snprintf(buf, sizeof buf, "ul. %s %d", m_r.pick(p.streets), number % 150 + 1);
                break;
            }
            const std::string address1 = buf;
            std::string business;
            if (m_r.chance(0.08)) {
                if (m_r.chance(0.3)) {
                    business = m_r.pick(kBusinesses);
                } else {
                    std::snprintf(buf, sizeof buf, m_r.pick(kBusinessForms), last.c_str());
                    business = buf;
                }
            }
            std::string email;
            if (m_r.chance(0.88)) {
                email = mailPart(first);
                const int style = m_r.below(3);
                if (style == 0)
                    email += "." + mailPart(last);
                else if (style == 1)
                    email = email.substr(0, 1) + mailPart(last);
                else
                    email += "_" + mailPart(last) + std::to_string(m_r.between(1, 99));
                email += "@";
                email += business.empty() || m_r.chance(0.5) ? m_r.pick(kEmailDomains) : "example.com";
            }
            ins.bind(1, first).bind(2, last).bind(3, business).bind(4, address1);
            ins.bind(5, std::string(m_r.chance(0.15) ? m_r.pick(kSecondLines) : ""));
            ins.bind(6, std::string(city.name)).bind(7, std::string(city.state));
            ins.bind(8, fillPattern(m_r, city.postcode)).bind(9, std::string(p.country));
            ins.bind(10, m_r.chance(0.5) ? fillPattern(m_r, p.phone) : std::string());
            ins.bind(11, m_r.chance(0.04) ? fillPattern(m_r, p.phone) : std::string());
            ins.bind(12, email);
            // Only customers who came in by the web form carry a submission date.
            if (m_r.chance(0.15))
                ins.bind(13, formatMoment((periodStart + m_r.below(int(m_o.today - periodStart + 1))) * 1440
                                          + m_r.between(7 * 60, 23 * 60)));
            else
                ins.bindNull(13);
            ins.bind(14, m_r.chance(0.35) ? fillPattern(m_r, p.phone) : std::string());
            ins.bind(15, m_r.chance(0.8) ? fillPattern(m_r, p.mobile) : std::string());
            m_customerIds.push_back(ins.run());
        }
    }

    // Price of one booked unit, as the payment step works it out: the nights
    // (or hours) one by one by season and weekday, the longer charge units by
    // counting weeks, months or persons.
    Money price(const Unit& u, int64_t from, int64_t to, int adults) const
    {
        const int64_t fromDay = from / 1440, toDay = to / 1440;
        auto rateOn = [&](int64_t day) -> Money {
            const int m = monthOfDay(day);
            if (!m_seasonKnown[m])
                return 0;
            if (m_high[m])
                return isWeekend(day) ? u.highWeekend : u.highPrice;
            return isWeekend(day) ? u.lowWeekend : u.lowPrice;
        };
        Money sum = 0;
        switch (u.charge) {
        case Charge::Night:
        case Charge::NightAndPerson:
            for (int64_t d = fromDay; d < toDay; ++d)
                sum += rateOn(d);
            return u.charge == Charge::Night ? sum : sum * adults;
        case Charge::Hour:
            for (int64_t h = from / 60; h < to / 60; ++h)
                sum += rateOn(h / 24);
            return sum;
        case Charge::Week: {
            int64_t weeks = 0;
            for (int64_t d = fromDay + 1; d <= toDay; ++d)
                if (weekdayOf(d) == 0)
                    ++weeks;
            return std::max<int64_t>(weeks, 1) * u.unitPrice;
        }
        case Charge::Month: {
            int y1, m1, d1, y2, m2, d2;
            civilFromDays(fromDay, &y1, &m1, &d1);
            civilFromDays(toDay, &y2, &m2, &d2);
            const int64_t months = std::max(12 * (y2 - y1) + (m2 - m1), 1);
            return months * u.unitPrice;
        }
        case Charge::Person:
            return u.unitPrice * adults;
        }
        return 0;
    }

    int drawNights(Charge c)
    {
        switch (c) {
        case Charge::Week: return m_r.chance(0.75) ? 7 : (m_r.chance(0.6) ? 14 : m_r.between(3, 10));
        case Charge::Month: return m_r.between(28, 92);
        case Charge::Hour: return 0;
        default: {
            static const std::vector<double> w = {20, 22, 17, 10, 7, 5, 9, 2, 2, 1.5, 1.5, 1, 1, 1};
            return 1 + m_r.weighted(w);
        }
        }
    }

    void addBookings()
    {
        if (m_o.bookings == 0 || m_units.empty())
            return;
        Statement book(m_db,
                       "INSERT INTO booking (customerid, fromdate, todate, noadults, nokids, bookedby, notes, "
                       "PaymentMethod, Tip, AmountPayed, CommissionID, CommissionAmount, CreditCardNo, "
                       "CreditCardExpiry, CreditCardType, BookingUDFID) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        Statement bookRoom(m_db, "INSERT INTO bookingroom (bookingid, roomid) VALUES (?, ?)");
        Statement line(m_db,
                       "INSERT INTO invoiceline (bookingid, itemid, quantity, name, amount, taxratename, "
                       "taxratepercentage) VALUES (?, ?, ?, ?, ?, ?, ?)");

        const int64_t endDay = m_o.today + 365;
        const int64_t startDay = endDay - int64_t(m_o.years) * 365;
        m_firstDay = startDay;
        const double periodDays = double(endDay - startDay);
        const int64_t now = m_o.today * 1440 + 12 * 60;

        // Each unit is free again at the moment in this list; the unit free
        // earliest takes the next stay. Multi-unit bookings move other units
        // on, which makes their queue entries stale (told apart by version).
        std::vector<int64_t> freeAt(m_units.size());
        std::vector<uint32_t> version(m_units.size(), 0);
        using Entry = std::tuple<int64_t, size_t, uint32_t>;
        std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> queue;
        for (size_t i = 0; i < m_units.size(); ++i) {
            freeAt[i] = (startDay + m_r.below(7)) * 1440 + 10 * 60;
            queue.emplace(freeAt[i], i, 0);
        }
        // The mean gap between stays that spreads the bookings over the period.
        const double unitStays = double(m_o.bookings) * 1.16;
        const double cycle = periodDays * double(m_units.size()) / unitStays;
        const double baseGap = std::max(0.0, cycle - 3.9);

        size_t nextNewCustomer = 0;
        std::vector<size_t> chosen;
        for (int b = 0; b < m_o.bookings; ++b) {
            auto [free, ui, ver] = queue.top();
            queue.pop();
            if (ver != version[ui]) {
                --b;
                continue;
            }
            const Unit& u = m_units[ui];
            const int64_t freeDay = free / 1440;

            // Gap before the stay: shorter in the high season, and steered so
            // that the last stays end about a year after today.
            const double target = double(startDay) + periodDays * double(b) / double(m_o.bookings);
            const double lag = target - double(freeDay);
            double gapMean = std::clamp(baseGap + 0.5 * lag, 0.0, 120.0);
            const int month = monthOfDay(freeDay);
            if (m_high[month])
                gapMean *= 0.6;
            else if (month == 1 || month == 2 || month == 11)
                gapMean *= 1.4;
            const int gap = gapMean <= 0 ? 0 : int(-std::log(1.0 - m_r.unit()) * gapMean);

            int64_t from = 0, to = 0;
            if (u.charge == Charge::Hour) {
                const int64_t day = freeDay + 1 + gap;
                const int startHour = m_r.between(8, 16);
                from = day * 1440 + startHour * 60 + (m_r.chance(0.2) ? 30 : 0);
                to = from + m_r.between(1, std::min(6, 20 - startHour)) * 60;
            } else {
                static const std::vector<double> inW = {60, 20, 10, 5, 5};
                static const int inTimes[] = {14 * 60, 15 * 60, 16 * 60, 12 * 60, 18 * 60 + 30};
                static const std::vector<double> outW = {70, 25, 5};
                static const int outTimes[] = {10 * 60, 11 * 60, 9 * 60 + 30};
                // Check-in is later in the day than check-out, so a stay may
                // begin on the day the previous one ends; the check keeps the
                // stays apart should the times ever change.
                int64_t day = freeDay + gap;
                from = day * 1440 + inTimes[m_r.weighted(inW)];
                if (from <= free) {
                    ++day;
                    from += 1440;
                }
                to = (day + drawNights(u.charge)) * 1440 + outTimes[m_r.weighted(outW)];
            }

            // Sometimes a party takes two or three units of the same kind.
            chosen.assign(1, ui);
            if (u.charge != Charge::Hour && m_r.chance(0.13)) {
                const int extra = m_r.chance(0.75) ? 1 : 2;
                for (int tries = 0; tries < 12 && int(chosen.size()) <= extra; ++tries) {
                    const size_t other = size_t(m_r.below(int(m_units.size())));
                    if (m_units[other].charge == u.charge && freeAt[other] < from
                        && std::find(chosen.begin(), chosen.end(), other) == chosen.end())
                        chosen.push_back(other);
                }
            }
            for (size_t c : chosen) {
                freeAt[c] = to;
                queue.emplace(to, c, ++version[c]);
            }
            m_lastMoment = std::max(m_lastMoment, to);

            // Who, how many, and what they were charged.
            const bool few = u.charge == Charge::Person || u.charge == Charge::Hour;
            const int adults = few ? m_r.between(1, 2) : 1 + m_r.weighted({25, 55, 10, 10});
            const int kids = few ? 0 : (m_r.chance(0.75) ? 0 : m_r.between(1, 3));
            const int64_t nights = std::max<int64_t>(to / 1440 - from / 1440, 1);

            const int remainingBookings = m_o.bookings - b;
            const size_t remainingCustomers = m_customerIds.size() - nextNewCustomer;
            size_t customer;
            if (remainingCustomers > 0
                && (nextNewCustomer == 0
                    || m_r.unit() < 0.97 * double(remainingCustomers) / double(remainingBookings)))
                customer = nextNewCustomer++;
            else
                customer = size_t(m_r.below(int(nextNewCustomer)));

            struct Line {
                int64_t item;
                int64_t quantity;
                std::string name;
                Money amount;
                std::string taxName;
                double taxPercentage;
            };
            std::vector<Line> lines;
            int64_t commissionId = 1;
            double commissionPercentage = 0;
            for (size_t c : chosen) {
                const Unit& cu = m_units[c];
                if (cu.commissionId) {
                    if (commissionId == 1)
                        commissionId = cu.commissionId;
                    commissionPercentage = cu.commissionPercentage;
                }
                lines.push_back({1, 1,
                                 cu.name + " booking from " + formatShortDate(from / 1440) + " to "
                                     + formatShortDate(to / 1440),
                                 price(cu, from, to, adults), m_taxName, m_taxPercentage});
            }
            if (m_r.chance(0.15)) {
                const size_t k = size_t(m_r.below(int(kExtraItems.size())));
                const ExtraItem& e = kExtraItems[k];
                const int64_t qty = e.per == ExtraItem::NightAndPerson ? nights * adults
                                    : e.per == ExtraItem::Night        ? nights
                                                                       : 1;
                lines.push_back({m_itemIds[k], qty, e.name, e.price, m_taxName, m_taxPercentage});
            }
            if (m_r.chance(0.03))
                lines.push_back({2, m_r.between(1, 3), m_r.pick(kFreeLines), Money(m_r.between(2, 40)) * 25000,
                                 "N/A", 0.0});

            Money subtotal = 0, tax = 0;
            for (const auto& l : lines) {
                subtotal += l.amount * l.quantity;
                tax += percentOf(l.amount * l.quantity, l.taxPercentage);
            }
            const bool past = to < now;
            const bool started = from < now;
            const Money tip = past && m_r.chance(0.08) ? Money(m_r.between(1, 8)) * 5 * kUnit : 0;
            const Money total = subtotal + tax + tip;
            Money paid = 0;
            if (past) {
                const double x = m_r.unit();
                paid = x < 0.88 ? total : x < 0.95 ? roundTo(total / 2, kUnit) : 0;
            } else if (started || m_r.chance(0.35)) {
                paid = roundTo(Money(double(total) * (0.2 + 0.1 * m_r.below(4))), kUnit);
            }
            const Money commission = commissionId != 1 ? percentOf(total, commissionPercentage) : 0;

            std::string method;
            if (!m_methods.empty()) {
                std::vector<double> w(m_methods.size(), 5.0);
                w[0] = 20;
                if (w.size() > 2) w[2] = 20;
                if (w.size() > 3) w[3] = 50;  // the card method
                method = m_methods[size_t(m_r.weighted(w))];
            }
            const bool card = m_methods.size() > 3 && method == m_methods[3];
            std::string cardNo, cardExpiry, cardType;
            if (card) {
                static const std::vector<const char*> types = {"Visa", "Mastercard", "Amex"};
                const int t = m_r.below(3);
                cardType = types[size_t(t)];
                cardNo = cardNumber(m_r, t == 0 ? '4' : t == 1 ? '5' : '3');
                int y, mo, d;
                civilFromDays(from / 1440 + m_r.between(60, 1400), &y, &mo, &d);
                char exp[8];
                std::snprintf(exp, sizeof exp, "%02d/%02d", mo, y % 100);
                cardExpiry = exp;
            }

            book.bind(1, m_customerIds[customer])
                .bind(2, formatMoment(from))
                .bind(3, formatMoment(to))
                .bind(4, int64_t(adults))
                .bind(5, int64_t(kids))
                .bind(6, std::string(m_r.pick(kStaff)))
                .bind(7, std::string(m_r.chance(0.1) ? m_r.pick(kBookingNotes) : ""))
                .bind(8, method)
                .bind(9, int64_t(tip))
                .bind(10, int64_t(paid))
                .bind(11, commissionId)
                .bind(12, int64_t(commission))
                .bind(13, cardNo)
                .bind(14, cardExpiry)
                .bind(15, cardType)
                .bind(16, m_r.chance(0.4) ? int64_t(1) : m_r.pick(m_choiceIds));
            const int64_t bookingId = book.run();
            for (size_t c : chosen)
                bookRoom.bind(1, bookingId).bind(2, m_units[c].id).run();
            for (const auto& l : lines) {
                line.bind(1, bookingId)
                    .bind(2, l.item)
                    .bind(3, l.quantity)
                    .bind(4, l.name)
                    .bind(5, int64_t(l.amount))
                    .bind(6, l.taxName)
                    .bind(7, l.taxPercentage)
                    .run();
                ++m_linesMade;
            }
            if (commissionId != 1 && past)
                m_commissionDue[commissionId][quarterOf(to / 1440)] += commission;
            ++m_bookingsMade;
        }
    }

    static int64_t quarterOf(int64_t day)
    {
        int y, m, d;
        civilFromDays(day, &y, &m, &d);
        return int64_t(y) * 4 + (m - 1) / 3;
    }

    // Each account is paid what it earned in a quarter early in the next one.
    void addCommissionPayments()
    {
        Statement ins(m_db,
                      "INSERT INTO commissionPayment (CommissionID, Amount, SubmittedDate, Notes) VALUES (?, ?, ?, ?)");
        const int64_t thisQuarter = quarterOf(m_o.today);
        for (const auto& [account, quarters] : m_commissionDue) {
            for (const auto& [quarter, amount] : quarters) {
                if (quarter >= thisQuarter || amount == 0)
                    continue;
                const int year = int(quarter / 4), q = int(quarter % 4);
                const int64_t paidDay = daysFromCivil(q == 3 ? year + 1 : year, q == 3 ? 1 : q * 3 + 4,
                                                      m_r.between(3, 20));
                char note[48];
                std::snprintf(note, sizeof note, "Q%d %d statement", q + 1, year);
                ins.bind(1, account)
                    .bind(2, int64_t(amount))
                    .bind(3, formatMoment(paidDay * 1440 + 10 * 60))
                    .bind(4, std::string(note))
                    .run();
            }
        }
    }

    sqlite3* m_db;
    const Options& m_o;
    Random m_r;
    std::string m_taxName;
    double m_taxPercentage = 0;
    bool m_high[13] = {};
    bool m_seasonKnown[13] = {};
    std::vector<std::string> m_methods;
    std::vector<int64_t> m_itemIds, m_accountIds, m_choiceIds, m_customerIds;
    std::vector<Unit> m_units;
    std::map<int64_t, std::map<int64_t, Money>> m_commissionDue;
    int64_t m_bookingsMade = 0, m_linesMade = 0, m_firstDay = 0, m_lastMoment = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!parseArgs(argc, argv, &o)) {
        usage();
        return 2;
    }
    const auto started = std::chrono::steady_clock::now();

    std::error_code ec;
    const fs::path out = o.out;
    const fs::path temp = fs::path(o.out + ".part" + std::to_string(getpid()));
    fs::remove(temp, ec);
    if (!fs::copy_file(o.from, temp, fs::copy_options::overwrite_existing, ec)) {
        std::fprintf(stderr, "gendb: cannot copy %s to %s: %s\n", o.from.c_str(), temp.string().c_str(),
                     ec.message().c_str());
        return 1;
    }

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(temp.string().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK
        || !sqliteext::registerExtensions(db)) {
        std::fprintf(stderr, "gendb: %s: %s\n", temp.string().c_str(), db ? sqlite3_errmsg(db) : "cannot open");
        sqlite3_close(db);
        fs::remove(temp, ec);
        return 1;
    }
    // A half-written file is thrown away anyway, so the journal need not
    // survive a crash.
    exec(db, "PRAGMA journal_mode = MEMORY");
    exec(db, "PRAGMA synchronous = OFF");
    exec(db, "BEGIN");
    Generator g(db, o);
    g.run();
    exec(db, "COMMIT");
    if (sqlite3_close(db) != SQLITE_OK) {
        std::fprintf(stderr, "gendb: cannot close %s\n", temp.string().c_str());
        return 1;
    }
    fs::rename(temp, out, ec);
    if (ec) {
        std::fprintf(stderr, "gendb: cannot rename %s to %s: %s\n", temp.string().c_str(), out.string().c_str(),
                     ec.message().c_str());
        fs::remove(temp, ec);
        return 1;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("gendb: %s: %lld units, %d customers, %lld bookings, %lld invoice lines, %s to %s, %.2f s\n",
                out.string().c_str(), static_cast<long long>(g.unitCount()), o.customers,
                static_cast<long long>(g.bookingCount()), static_cast<long long>(g.lineCount()),
                formatMoment(g.firstDay() * 1440).substr(0, 10).c_str(),
                formatMoment(g.lastMoment()).substr(0, 10).c_str(), seconds);
    return 0;
}
