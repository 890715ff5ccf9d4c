// The routine table: its rows, their signatures and lookup; which routines are
// bound to the library and which this version still lacks.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "binding/procedure_bindings.hpp"
#include "binding/routine_binding.hpp"
#include "binding/routine_table.hpp"

namespace korvan::binding {
namespace {

std::vector<std::string_view> codes_of(std::string_view signature)
{
    std::vector<std::string_view> codes;
    if (signature.empty())
        return codes;
    std::size_t pos = 0;
    for (;;) {
        std::size_t comma = signature.find(',', pos);
        codes.push_back(signature.substr(pos, comma - pos));
        if (comma == std::string_view::npos)
            return codes;
        pos = comma + 1;
    }
}

TEST(RoutineTable, BothGroupsInAlphabeticalOrderWithValidSignatures)
{
    static const std::set<std::string_view> valid = {"I", "H", "X", "S", "FR", "IR", "BR", "HR", "AR", "U", "V"};
    for (Group group : {Group::procedure, Group::function}) {
        auto rows = routine_rows(group);
        ASSERT_EQ(static_cast<int>(rows.size()), group == Group::procedure ? 370 : 79);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            std::string_view name = rows[i].name;
            EXPECT_GE(name.size(), 2u);
            EXPECT_LE(name.size(), 6u);
            for (char c : name)
                EXPECT_TRUE(std::isupper(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c)))
                    << name;
            if (i > 0) {
                EXPECT_LT(std::string_view(rows[i - 1].name), name);
            }
            auto codes = codes_of(rows[i].signature);
            EXPECT_LE(codes.size(), 12u) << name;
            for (std::string_view code : codes)
                EXPECT_TRUE(valid.count(code)) << name << " " << code;
            EXPECT_EQ(lookup_routine(name, group), static_cast<int>(i));
        }
    }
    EXPECT_STREQ(routine_rows(Group::procedure).front().name, "ABS3PT");
    EXPECT_STREQ(routine_rows(Group::procedure).back().name, "ZSCALE");
    EXPECT_STREQ(routine_rows(Group::function).front().name, "BITSI2");
    EXPECT_STREQ(routine_rows(Group::function).back().name, "Z3DPOS");
}

TEST(RoutineTable, SignaturesOfTheTable)
{
    struct Expect {
        const char* name;
        const char* signature;
    };
    const Expect procedures[] = {
        {"KORINI", ""},
        {"CURVE", "FR,FR,I"},
        {"ARCELL", "I,I,I,I,X,X,X"},
        {"GRAF", "X,X,X,X,X,X,X,X"},
        {"GRAF3D", "X,X,X,X,X,X,X,X,X,X,X,X"},
        {"ZAXLG", "X,X,X,X,I,S,I,I,I,I"},
        {"XAXMAP", "X,X,X,X,S,I,I"},
        {"GRFINI", "X,X,X,X,X,X,X,X,X"},
        {"CONSHD", "FR,I,FR,I,FR,FR,I"},
        {"SWAPI2", "HR,I"},
        {"LEGLIN", "V,S,I"},
        {"LEGINI", "U,I,I"},
        {"ITMCAT", "V,S"},
        {"GETGRF", "U,U,U,U,S"},
        {"GETCLP", "U,U,U,U"},
        {"RPIXLS", "BR,I,I,I,I"},
        {"WPXROW", "BR,I,I,I"},
        {"SHDEUR", "IR,IR,IR,I"},
        {"SWGCB", "I,S,IR"},
        {"HSVRGB", "X,X,X,U,U,U"},
        {"POS2PT", "X,X,U,U"},
        {"ZSCALE", "X,X"},
        {"NUMBER", "X,I,I,I"},
        {"MESSAG", "S,I,I"},
    };
    for (const Expect& e : procedures) {
        int row = lookup_routine(e.name, Group::procedure);
        ASSERT_GE(row, 0) << e.name;
        EXPECT_STREQ(routine_signature(row, Group::procedure), e.signature) << e.name;
        EXPECT_EQ(lookup_routine(e.name, Group::function), -1) << e.name;
    }
    const Expect functions[] = {
        {"BITSI2", "I,H,I,H,I"}, {"BITSI4", "I,I,I,I,I"}, {"READFL", "I,AR,I"}, {"WGSCL", "I,S,X,X,X,I"},
        {"FCHA", "X,I,U"},       {"INTCHA", "I,U"},       {"GETBLK", ""},       {"X3DABS", "X,X,X"},
        {"NXLEGN", "S"},         {"DWGFIL", "S,S,S"},     {"XINVRS", "I"},      {"WINID", ""},
    };
    for (const Expect& e : functions) {
        int row = lookup_routine(e.name, Group::function);
        ASSERT_GE(row, 0) << e.name;
        EXPECT_STREQ(routine_signature(row, Group::function), e.signature) << e.name;
        EXPECT_EQ(lookup_routine(e.name, Group::procedure), -1) << e.name;
    }
    // Names are compared exactly.
    EXPECT_EQ(lookup_routine("curve", Group::procedure), -1);
    EXPECT_EQ(lookup_routine("CURV", Group::procedure), -1);
    EXPECT_EQ(lookup_routine("CURVES", Group::procedure), -1);
    EXPECT_EQ(lookup_routine("", Group::procedure), -1);
    EXPECT_EQ(lookup_routine("ZZZZZZ", Group::function), -1);
    EXPECT_EQ(lookup_routine("\xff", Group::function), -1);
}

TEST(RoutineTable, EveryBindingNamesOneRowOfItsGroup)
{
    std::set<std::string_view> seen;
    for (auto list : {plain_procedure_bindings(), special_procedure_bindings()}) {
        for (const ProcedureBinding& b : list) {
            EXPECT_GE(lookup_routine(b.name, Group::procedure), 0) << b.name;
            EXPECT_TRUE(seen.insert(b.name).second) << "bound twice: " << b.name;
            EXPECT_NE(b.adapter, nullptr) << b.name;
        }
    }
    seen.clear();
    for (const FunctionBinding& b : function_bindings()) {
        EXPECT_GE(lookup_routine(b.name, Group::function), 0) << b.name;
        EXPECT_TRUE(seen.insert(b.name).second) << "bound twice: " << b.name;
    }
}

// The routines that still answer "Routine NAME is not available in this
// version". Each routine that joins the library leaves this list.
TEST(RoutineTable, RoutinesThisVersionStillLacks)
{
    const std::vector<std::string> procedures = {};
    const std::vector<std::string> functions = {};
    EXPECT_EQ(unavailable_routines(Group::procedure), procedures);
    EXPECT_EQ(unavailable_routines(Group::function), functions);
}

}  // namespace
}  // namespace korvan::binding
