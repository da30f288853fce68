// Every member of both servers' type libraries, called once through
// IDispatch::Invoke by DISPID with plausible arguments on a fresh populated
// fixture: each answers S_OK, or DISP_E_EXCEPTION with its exception record
// filled (the server-page class, which reports nothing, with its HRESULT). The members called must be exactly the members listed, so a
// member added to a library later is called here without a word, and an
// interface no fixture object implements fails the test. Each call is made
// from a thread left in one of the floating-point states a host may leave
// (single precision, exceptions unmasked, other rounding, flush-to-zero, in
// turn): no exception may fire and the state must be as it was afterwards.
#include "AutomationWalker.h"
#include "ComClient.h"
#include "FloatingPointState.h"

#include <iostream>
#include <map>
#include <set>

using namespace Walker;

namespace {

std::string listOf(const std::set<std::wstring>& keys)
{
    std::string out;
    for (const std::wstring& k : keys) out += "\n  " + narrow(k);
    return out;
}

} // namespace

class EveryMemberTest : public ComClientTest {};

TEST_F(EveryMemberTest, EveryListedMemberAnswersThroughIDispatch)
{
    Catalogue catalogue = readBothLibraries();
    for (const std::wstring& problem : catalogue.problems) ADD_FAILURE() << narrow(problem);
    // Both libraries were read: QDInterface's nine classes and Glossmere's two.
    ASSERT_EQ(11u, catalogue.classes.size());
    ASSERT_EQ(11u, catalogue.interfaces.size());

    std::set<std::wstring> listed;
    std::set<std::wstring> called;
    std::map<std::string, int> outcomes;
    std::map<std::wstring, int> perInterface;
    for (const Interface& iface : catalogue.interfaces) {
        for (const Member& m : iface.members) {
            listed.insert(m.key());
            // A fresh fixture for every call: what one member changes or
            // removes never decides what the next one sees.
            Fixture fixture(catalogue);
            IDispatch* target = fixture.object(iface.name);
            if (target == nullptr) {
                ADD_FAILURE() << "no object implements " << narrow(iface.name);
                break;
            }
            Arguments args;
            plausibleArguments(m, fixture, args);
            const HostState& state = kHostStates[listed.size() % (sizeof kHostStates / sizeof kHostStates[0])];
            setFloatingPointState(state.x87Control, state.mxcsr);
            const FloatingPointState before = readFloatingPointState();
            Outcome o = invoke(target, m, args);
            const FloatingPointState after = readFloatingPointState();
            setFloatingPointState(kDoublePrecisionX87, kDefaultMxcsr);
            ++outcomes[o.label()];
            SCOPED_TRACE(narrow(m.key()));
            EXPECT_EQ(before.text(), after.text()) << state.name;
            for (const std::wstring& problem : fixture.problems) ADD_FAILURE() << "fixture: " << narrow(problem);
            if (!o.acceptable(false, reportsNothing(iface.name))) {
                ADD_FAILURE() << o.label() << " scode " << std::hex << o.scode << std::dec << " wCode " << o.wCode
                              << " description \"" << narrow(o.description) << "\"";
                continue;
            }
            EXPECT_EQ(std::wstring::npos, o.description.find(L"not available yet")) << narrow(o.description);
            // A read that succeeds hands back a value.
            if (o.hr == S_OK && m.returnsValue && m.name != L"Session" && m.name != L"Response") {
                EXPECT_NE(VT_EMPTY, o.result.ref().vt);
            }
            called.insert(m.key());
            ++perInterface[iface.name];
        }
    }

    std::set<std::wstring> missing;
    for (const std::wstring& k : listed)
        if (!called.count(k)) missing.insert(k);
    EXPECT_TRUE(missing.empty()) << "listed but not called successfully:" << listOf(missing);
    EXPECT_EQ(listed, called);
    // The libraries hold about 350 members; an empty walk proves nothing.
    EXPECT_GT(listed.size(), 300u);

    std::cout << "Members listed " << listed.size() << ", called " << called.size() << "\n";
    for (const auto& entry : perInterface) std::cout << "  " << narrow(entry.first) << ": " << entry.second << "\n";
    std::cout << "Outcomes:\n";
    for (const auto& entry : outcomes) std::cout << "  " << entry.first << ": " << entry.second << "\n";
}
