// A desk whose role must give its password (the test server asks it of the members of
// trf_password_login), connecting through every form of connection text: it works on its home, the
// password is in no message, title or journal line, and a wrong or missing password is said to be
// one, naming the role.
#include <unistd.h>

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <sstream>

#include "app/data/home_access.h"
#include "app/data/postgres_database.h"
#include "app/data/trf_database.h"
#include "app/siblings/app_options.h"
#include "app/terminal/trf_session.h"
#include "tests/app/data/desk_roles.h"
#include "tests/app/test_database.h"
#include "tests/doubles/raised.h"

namespace trf::testing {
namespace {

using kw::testing::Described;
using kw::testing::Raised;

// Every character a connection text must quote or escape, around a mark that is found wherever the
// password lands, encoded or not.
constexpr const char* kMark = "Xq7";
const std::string kPassword = std::string("a ") + kMark + "'s%&=\\ pw";

// `text` percent-encoded for a URI.
std::string Encoded(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (std::isalnum(static_cast<unsigned char>(c)) || c == '/' || c == '-' || c == '_' || c == '.') {
      out += c;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
      out += escaped;
    }
  }
  return out;
}

// `text` as a value of libpq's key=value words: in single quotes, its quotes and backslashes escaped.
std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' || c == '\\' ? std::string("\\") + c : std::string(1, c);
  return out + "'";
}

// The value libpq reads for `key` in `text`.
std::string OptionOf(const std::string& text, const std::string& key) {
  PQconninfoOption* options = PQconninfoParse(text.c_str(), nullptr);
  std::string value;
  for (const PQconninfoOption* option = options; option && option->keyword; ++option)
    if (key == option->keyword && option->val) value = option->val;
  PQconninfoFree(options);
  return value;
}

class ServerLogin : public DeskRoles {
 protected:
  void SetUp() override {
    DeskRoles::SetUp();
    std::string literal;
    for (const char c : kPassword) literal += c == '\'' ? std::string("''") : std::string(1, c);
    MakeRole(role_, "IN ROLE trf_password_login");
    PostgresDatabase(TestServer()).Exec("ALTER ROLE " + role_ + " PASSWORD '" + literal + "'");
    GrantHome(*admin_, role_, "H-101");
  }

  // The desk's connection text in each form libpq reads, each with `password`: named by its form.
  std::vector<std::pair<std::string, std::string>> Forms(const std::string& password) const {
    const std::string host = OptionOf(location_, "host");
    const std::string database = OptionOf(location_, "dbname");
    const std::string options = OptionOf(location_, "options");  // the test's own schema
    const std::string query = "host=" + Encoded(host) + "&options=" + Encoded(options);
    return {
        {"URI user:password@", "postgresql://" + role_ + ":" + Encoded(password) + "@/" + database + "?" + query},
        {"URI ?password= first",
         "postgres:///" + database + "?password=" + Encoded(password) + "&user=" + role_ + "&" + query},
        {"URI &password= last",
         "postgresql:///" + database + "?user=" + role_ + "&" + query + "&password=" + Encoded(password)},
        {"key=value words", "host=" + Quoted(host) + " dbname=" + database + " user=" + role_ +
                                " password=" + Quoted(password) + " options=" + Quoted(options)},
    };
  }

  static std::string CurrentUser(Database& database) { return Scalar(database, "SELECT current_user"); }

  const std::string role_ = "paper_desk_" + std::to_string(::getpid());
};

// Each form connects as the role, directly and through TRF_DB, and the location shown holds no password.
TEST_F(ServerLogin, EveryFormConnectsAndNoneShowsThePassword) {
  for (const auto& [form, text] : Forms(kPassword)) {
    auto desk = OpenTrfDatabase(text);
    EXPECT_EQ(CurrentUser(*desk), role_) << form;
    EXPECT_EQ(desk->Path().find(kMark), std::string::npos) << form << ": " << desk->Path();
    EXPECT_NE(desk->Path().find(role_), std::string::npos) << form << " shows whose desk it is: " << desk->Path();

    AppOptions options;
    OptionsParser parser("trf", "");
    ASSERT_FALSE(parser.Parse({}, text.c_str(), options)) << form;
    EXPECT_EQ(CurrentUser(*OpenTrfDatabase(*options.Database())), role_) << form << " through TRF_DB";
  }
}

// A wrong password is said to be refused, naming the role; a missing one is said to be asked for.
TEST_F(ServerLogin, AWrongOrMissingPasswordIsSaidSoNamingTheRole) {
  for (const auto& [form, form_text] : Forms("Zz9 wrong")) {
    const std::string text = form_text;  // a lambda below takes it, which a structured binding cannot be
    const kw::Error refused = Raised([&] { (void)OpenTrfDatabase(text); });
    EXPECT_EQ(refused.Number(), kDatabaseError) << form;
    EXPECT_EQ(SentenceOf(refused),
              "The database server refused the password of role " + role_ + ": give the role's right password.")
        << form;
    EXPECT_EQ(Described(refused).find("Zz9"), std::string::npos) << Described(refused);
  }
  EXPECT_EQ(SentenceOf(Raised([&] { (void)OpenTrfDatabase(AsRole(location_, role_)); })),
            "The database server asks for the password of role " + role_ +
                ", and none was given: put it in the connection text (password=...) or in the password file "
                "(~/.pgpass).");
  EXPECT_EQ(SentenceOf(Raised([&] { (void)OpenTrfDatabase(location_ + "&user=no_such_role_" + role_); })),
            "The database server does not let role no_such_role_" + role_ +
                " connect to postgres: there is no such role, or the server's access rules leave it out. Ask the "
                "server's administrator.");
}

// A whole session at the terminal through the form that carries the password in the query, with a
// save refused on the way (another desk changed the resident): neither what it prints nor the error
// journal holds the password.
TEST_F(ServerLogin, NeitherTheTerminalNorTheJournalShowsThePassword) {
  std::ostringstream out;
  TrfSession session(Forms(kPassword)[2].second, out, nullptr);
  for (const char* line : {"go home", "select 1", "go setup", "select 3", "go residents", "select 1", "set fee 2500"})
    session.Interpreter().Execute(line);
  admin_->Exec(
      "UPDATE tbH_Residents SET H_MonthlyFee = 2600, RowVersion = RowVersion + 1 "
      "WHERE H_HomeMonthlyStatsID = 3 AND H_ResidentName = 'Ada Andersen'");
  session.Interpreter().Execute("answer yes");
  session.Interpreter().Execute("save");
  session.Interpreter().Execute("go home");  // leaving writes the residents' batch
  session.Output().Flush();
  EXPECT_NE(out.str().find("was changed or removed in the database"), std::string::npos) << out.str();
  EXPECT_EQ(out.str().find(kMark), std::string::npos) << out.str();
  ASSERT_FALSE(session.Services().journal().errors.empty()) << "the refused save is in the journal";
  for (const kw::Error& error : session.Services().journal().errors) {
    EXPECT_EQ(Described(error).find(kMark), std::string::npos) << Described(error);
    EXPECT_EQ(error.Said().find(kMark), std::string::npos) << error.Said();
  }
}

}  // namespace
}  // namespace trf::testing
