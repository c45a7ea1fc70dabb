#include "core/customerstore.h"

#include "core/db.h"

namespace CustomerStore {

std::optional<CustomerRecord> read(qint64 id)
{
    Query q = objConn.query(QStringLiteral("SELECT ID, FirstName, LastName, BusinessName, Address1, Address2, City, "
                                           "State, PostCode, Country, Phone, Fax, Email, SubmittedDate, Mobile, "
                                           "HomePhone FROM Customer WHERE ID = ?"),
                            {id});
    if (!q.next())
        return std::nullopt;
    CustomerRecord c;
    c.id = q.integer(0);
    c.firstName = q.text(1);
    c.lastName = q.text(2);
    c.businessName = q.text(3);
    c.address1 = q.text(4);
    c.address2 = q.text(5);
    c.city = q.text(6);
    c.state = q.text(7);
    c.postCode = q.text(8);
    c.country = q.text(9);
    c.phone = q.text(10);
    c.fax = q.text(11);
    c.email = q.text(12);
    c.submittedDate = q.text(13);
    c.mobile = q.text(14);
    c.homePhone = q.text(15);
    return c;
}

bool exists(qint64 id)
{
    return objConn.scalar(QStringLiteral("SELECT count(*) FROM customer WHERE ID = ?"), {id}).toInt() > 0;
}

qint64 add(const CustomerRecord& c)
{
    return objConn.insert(QStringLiteral("Customer"), {{QStringLiteral("FirstName"), c.firstName},
                                                       {QStringLiteral("LastName"), c.lastName},
                                                       {QStringLiteral("Address1"), c.address1},
                                                       {QStringLiteral("Address2"), c.address2},
                                                       {QStringLiteral("City"), c.city},
                                                       {QStringLiteral("State"), c.state},
                                                       {QStringLiteral("PostCode"), c.postCode},
                                                       {QStringLiteral("Country"), c.country},
                                                       {QStringLiteral("Phone"), c.phone},
                                                       {QStringLiteral("Mobile"), c.mobile},
                                                       {QStringLiteral("HomePhone"), c.homePhone},
                                                       {QStringLiteral("Fax"), c.fax},
                                                       {QStringLiteral("Email"), c.email},
                                                       {QStringLiteral("BusinessName"), c.businessName}});
}

void update(const CustomerRecord& c)
{
    objConn.execute(QStringLiteral("UPDATE Customer SET FirstName = ?, LastName = ?, Address1 = ?, Address2 = ?, "
                                   "City = ?, State = ?, PostCode = ?, Country = ?, Phone = ?, HomePhone = ?, "
                                   "Mobile = ?, Fax = ?, Email = ?, BusinessName = ? WHERE ID = ?"),
                    {c.firstName, c.lastName, c.address1, c.address2, c.city, c.state, c.postCode, c.country, c.phone,
                     c.homePhone, c.mobile, c.fax, c.email, c.businessName, c.id});
}

}  // namespace CustomerStore
