// The option and choice records and the model's rule operations, without
// a PPD: marking, propagation in both directions, groups, and the rule
// bookkeeping of OptionModel.
#include "model/OptionChoice.h"
#include "model/OptionModel.h"
#include "model/jOption.h"

#include <QtTest>

namespace {

// Two options "A" (choices a1, a2) and "B" (b1, b2) in a model.
struct Pair {
    OptionModel model;
    jOption *a = nullptr;
    jOption *b = nullptr;
    Pair(int priorityA, int priorityB)
    {
        a = new jOption(QStringLiteral("A"), QStringLiteral("Option A"));
        a->addChoice(QStringLiteral("a1"), QStringLiteral("A one"));
        a->addChoice(QStringLiteral("a2"), QStringLiteral("A two"));
        b = new jOption(QStringLiteral("B"), QStringLiteral("Option B"));
        b->addChoice(QStringLiteral("b1"), QStringLiteral("B one"));
        b->addChoice(QStringLiteral("b2"), QStringLiteral("B two"));
        a->setPriority(priorityA);
        b->setPriority(priorityB);
        model.addOption(a);
        model.addOption(b);
    }
    OptionChoice *choice(const char *key) const
    {
        const QString k = QLatin1String(key);
        return k.startsWith(QLatin1Char('a')) ? a->findChoice(k) : b->findChoice(k);
    }
};

jOption *addSwitch(OptionModel &model, const QString &key, int priority)
{
    auto *option = new jOption(key, key);
    option->addChoice(QStringLiteral("False"), QStringLiteral("False"));
    option->addChoice(QStringLiteral("True"), QStringLiteral("True"));
    option->setPriority(priority);
    model.addOption(option);
    return option;
}

} // namespace

class TestOptionRecords : public QObject {
    Q_OBJECT

private slots:
    void sentinels()
    {
        jOption option;
        QCOMPARE(option.key(), QStringLiteral("JNULL"));
        QCOMPARE(option.text(), QStringLiteral("JNULL"));
        QVERIFY(!option.isNotNull());
        QCOMPARE(option.priority(), 99);
        QVERIFY(!option.isFromPpd());
        QCOMPARE(option.choiceCount(), 0);
        QVERIFY(!option.markedChoice());
        QVERIFY(!option.defaultChoice());
        QCOMPARE(option.defaultKey(), QStringLiteral("JNULLNULL"));

        OptionChoice choice;
        QCOMPARE(choice.key(), QStringLiteral("JNULL"));
        QCOMPARE(choice.text(), QStringLiteral("JNULL"));
        QVERIFY(!choice.owner());
        QVERIFY(!choice.isConstrained());
        // Marking or withdrawing a choice without owner touches nothing.
        choice.applyMark();
        choice.withdrawMark();

        // Only the pair key "JNULL" / text "JNULL" is the sentinel.
        QVERIFY(jOption(QStringLiteral("JNULL"), QStringLiteral("Other")).isNotNull());
        QVERIFY(jOption(QStringLiteral("Other"), QStringLiteral("JNULL")).isNotNull());
    }

    void lookups()
    {
        jOption option(QStringLiteral("Sep"), QStringLiteral("Offset"));
        OptionChoice *first = option.addChoice(QStringLiteral("Job"), QStringLiteral("Each job"));
        OptionChoice *second = option.addChoice(QStringLiteral("Job"), QStringLiteral("Again"));
        OptionChoice *set = option.addChoice(QStringLiteral("Set"), QStringLiteral("Each job"));
        QCOMPARE(option.choiceCount(), 3);
        QCOMPARE(option.choices(), (QList<OptionChoice *>{first, second, set}));
        QCOMPARE(first->owner(), &option);
        QVERIFY(option.hasChoice(QStringLiteral("Job")));
        QVERIFY(!option.hasChoice(QStringLiteral("job")));
        QCOMPARE(option.findChoice(QStringLiteral("Job")), first);
        QCOMPARE(option.findChoice(QStringLiteral("Set")), set);
        QVERIFY(!option.findChoice(QStringLiteral("SET")));
        QCOMPARE(option.findChoiceByText(QStringLiteral("Each job")), first);
        QCOMPARE(option.findChoiceByText(QStringLiteral("Again")), second);
        QVERIFY(!option.findChoiceByText(QStringLiteral("each job")));
    }

    void defaults()
    {
        jOption option(QStringLiteral("cSuper"), QStringLiteral("Super Watermark"));
        QCOMPARE(option.defaultKey(), QStringLiteral("cSuperNULL"));
        OptionChoice *t = option.addChoice(QStringLiteral("True"), QStringLiteral("True"));

        jOption other(QStringLiteral("Other"), QStringLiteral("Other"));
        OptionChoice *foreign = other.addChoice(QStringLiteral("False"), QStringLiteral("False"));
        option.setDefaultChoice(foreign);
        QVERIFY(!option.defaultChoice());
        option.setDefaultChoice(nullptr);
        QVERIFY(!option.defaultChoice());
        option.setDefaultChoice(t);
        QCOMPARE(option.defaultChoice(), t);
        QCOMPARE(option.defaultKey(), QStringLiteral("True"));
        option.setDefaultChoice(foreign);
        QCOMPARE(option.defaultChoice(), t);
        // The default is not a mark.
        QVERIFY(!option.markedChoice());
    }

    void priorityDirection_data()
    {
        QTest::addColumn<int>("priorityA");
        QTest::addColumn<int>("priorityB");
        QTest::addColumn<bool>("aForbidsB");
        QTest::addColumn<bool>("bForbidsA");
        QTest::newRow("stronger A") << 3 << 6 << true << false;
        QTest::newRow("weaker A") << 6 << 3 << false << true;
        QTest::newRow("equal") << 5 << 5 << true << true;
        QTest::newRow("unassigned") << 99 << 99 << true << true;
        QTest::newRow("zero against one") << 0 << 1 << true << false;
    }

    void priorityDirection()
    {
        QFETCH(int, priorityA);
        QFETCH(int, priorityB);
        QFETCH(bool, aForbidsB);
        QFETCH(bool, bForbidsA);

        {
            Pair p(priorityA, priorityB);
            p.model.addConflict(QStringLiteral("A"), QStringLiteral("a1"),
                                QStringLiteral("B"), QStringLiteral("b1"));
            p.a->markChoice(p.choice("a1"));
            QCOMPARE(p.choice("b1")->isConstrained(), aForbidsB);
            QVERIFY(!p.choice("b2")->isConstrained());
            QVERIFY(!p.choice("a1")->isConstrained());
            if (aForbidsB)
                QCOMPARE(p.choice("b1")->activeConstraints(),
                         QList<ChoiceRef>{ChoiceRef(p.a, p.choice("a1"))});
        }
        {
            Pair p(priorityA, priorityB);
            p.model.addConflict(QStringLiteral("A"), QStringLiteral("a1"),
                                QStringLiteral("B"), QStringLiteral("b1"));
            p.b->markChoice(p.choice("b1"));
            QCOMPARE(p.choice("a1")->isConstrained(), bForbidsA);
            QVERIFY(!p.choice("a2")->isConstrained());
        }
    }

    void remarkMovesConstraints()
    {
        Pair p(5, 5);
        p.model.addConflict(QStringLiteral("A"), QStringLiteral("a1"), QStringLiteral("B"), QStringLiteral("b1"));
        p.model.addConflict(QStringLiteral("A"), QStringLiteral("a2"), QStringLiteral("B"), QStringLiteral("b2"));
        p.a->markChoice(p.choice("a1"));
        QVERIFY(p.choice("b1")->isConstrained());
        QVERIFY(!p.choice("b2")->isConstrained());
        p.a->markChoice(p.choice("a2"));
        QCOMPARE(p.a->markedChoice(), p.choice("a2"));
        QVERIFY(!p.choice("b1")->isConstrained());
        QCOMPARE(p.choice("b2")->activeConstraints(), QList<ChoiceRef>{ChoiceRef(p.a, p.choice("a2"))});
        // Marking the same choice again changes nothing.
        p.a->markChoice(p.choice("a2"));
        QCOMPARE(p.choice("b2")->activeConstraints().size(), 1);
    }

    void nullOrForeignChoiceOnlyWithdraws()
    {
        Pair p(5, 5);
        p.model.addConflict(QStringLiteral("A"), QStringLiteral("a1"), QStringLiteral("B"), QStringLiteral("b1"));
        p.a->markChoice(p.choice("a1"));
        QVERIFY(p.choice("b1")->isConstrained());
        p.a->markChoice(nullptr);
        QVERIFY(!p.choice("b1")->isConstrained());
        QCOMPARE(p.a->markedChoice(), p.choice("a1"));

        p.a->markChoice(p.choice("a1"));
        QVERIFY(p.choice("b1")->isConstrained());
        p.a->markChoice(p.choice("b2")); // a choice of B
        QVERIFY(!p.choice("b1")->isConstrained());
        QCOMPARE(p.a->markedChoice(), p.choice("a1"));
        QVERIFY(!p.choice("b2")->isConstrained());
        QCOMPARE(p.b->markedChoice(), nullptr);
    }

    void severalConstrainers()
    {
        OptionModel model;
        jOption *target = addSwitch(model, QStringLiteral("T"), 9);
        jOption *x = addSwitch(model, QStringLiteral("X"), 1);
        jOption *y = addSwitch(model, QStringLiteral("Y"), 2);
        model.addConflict(QStringLiteral("X"), QStringLiteral("True"), QStringLiteral("T"), QStringLiteral("True"));
        model.addConflict(QStringLiteral("Y"), QStringLiteral("True"), QStringLiteral("T"), QStringLiteral("True"));
        OptionChoice *forbidden = target->findChoice(QStringLiteral("True"));
        model.markChoiceByKey(QStringLiteral("X"), QStringLiteral("True"));
        model.markChoiceByKey(QStringLiteral("Y"), QStringLiteral("True"));
        QCOMPARE(forbidden->activeConstraints(),
                 (QList<ChoiceRef>{ChoiceRef(x, x->findChoice(QStringLiteral("True"))),
                                   ChoiceRef(y, y->findChoice(QStringLiteral("True")))}));
        model.markChoiceByKey(QStringLiteral("X"), QStringLiteral("False"));
        QVERIFY(forbidden->isConstrained());
        // Withdrawing twice is harmless.
        y->findChoice(QStringLiteral("True"))->withdrawMark();
        y->findChoice(QStringLiteral("True"))->withdrawMark();
        QVERIFY(!forbidden->isConstrained());
        // Applying twice adds the ref once.
        x->findChoice(QStringLiteral("True"))->applyMark();
        x->findChoice(QStringLiteral("True"))->applyMark();
        QCOMPARE(forbidden->activeConstraints().size(), 1);
    }

    void addConflictBookkeeping()
    {
        Pair p(5, 5);
        p.model.addConflict(QStringLiteral("A"), QStringLiteral("a1"), QStringLiteral("B"), QStringLiteral("b1"));
        p.model.addConflict(QStringLiteral("B"), QStringLiteral("b1"), QStringLiteral("A"), QStringLiteral("a1"));
        p.model.addConflict(QStringLiteral("A"), QStringLiteral("a1"), QStringLiteral("B"), QStringLiteral("b1"));
        QCOMPARE(p.choice("a1")->conflicts(), QList<ChoiceRef>{ChoiceRef(p.b, p.choice("b1"))});
        QCOMPARE(p.choice("b1")->conflicts(), QList<ChoiceRef>{ChoiceRef(p.a, p.choice("a1"))});
        QVERIFY(p.choice("a1")->hasConflict(ChoiceRef(p.b, p.choice("b1"))));
        QVERIFY(!p.choice("a1")->hasConflict(ChoiceRef(p.b, p.choice("b2"))));

        // Unknown option or choice, wrong case: dropped, nothing half-added.
        p.model.addConflict(QStringLiteral("A"), QStringLiteral("a2"), QStringLiteral("B"), QStringLiteral("B2"));
        p.model.addConflict(QStringLiteral("A"), QStringLiteral("a2"), QStringLiteral("C"), QStringLiteral("b2"));
        p.model.addConflict(QStringLiteral("a"), QStringLiteral("a2"), QStringLiteral("B"), QStringLiteral("b2"));
        p.model.addConflict(QStringLiteral("A"), QString(), QStringLiteral("B"), QStringLiteral("b2"));
        QVERIFY(p.choice("a2")->conflicts().isEmpty());
        QVERIFY(p.choice("b2")->conflicts().isEmpty());
    }

    void groupActivation()
    {
        OptionModel model;
        jOption *booklet = new jOption(QStringLiteral("JCBooklet"), QStringLiteral("Booklet"));
        booklet->addChoice(QStringLiteral("None"), QStringLiteral("Off"));
        booklet->addChoice(QStringLiteral("Left"), QStringLiteral("Left"));
        booklet->setPriority(4);
        model.addOption(booklet);
        jOption *stapler = addSwitch(model, QStringLiteral("Option22"), 1);
        jOption *staple = addSwitch(model, QStringLiteral("cStpl"), 6);
        model.addGroup({{QStringLiteral("cStpl"), QStringLiteral("True")},
                        {QStringLiteral("JCBooklet"), QStringLiteral("Left")},
                        {QStringLiteral("Option22"), QStringLiteral("False")}});
        OptionChoice *target = staple->findChoice(QStringLiteral("True"));
        QCOMPARE(target->groups().size(), 1);
        const ConstraintGroup group = target->groups().first();
        QCOMPARE(group.target(), ChoiceRef(staple, target));
        QCOMPARE(booklet->findChoice(QStringLiteral("Left"))->groups(), QList<ConstraintGroup>{group});
        QCOMPARE(stapler->findChoice(QStringLiteral("False"))->groups(), QList<ConstraintGroup>{group});

        // Either order of the conditions; the target's own mark plays no part.
        model.markChoiceByKey(QStringLiteral("cStpl"), QStringLiteral("True"));
        model.markChoiceByKey(QStringLiteral("Option22"), QStringLiteral("False"));
        QVERIFY(!target->isConstrained());
        model.markChoiceByKey(QStringLiteral("JCBooklet"), QStringLiteral("Left"));
        QVERIFY(target->isConstrained());
        QCOMPARE(target->activeGroups(), QList<ConstraintGroup>{group});
        model.markChoiceByKey(QStringLiteral("cStpl"), QStringLiteral("False"));
        QVERIFY(target->isConstrained());

        // Releasing either condition releases the target.
        model.markChoiceByKey(QStringLiteral("Option22"), QStringLiteral("True"));
        QVERIFY(!target->isConstrained());
        model.markChoiceByKey(QStringLiteral("Option22"), QStringLiteral("False"));
        QVERIFY(target->isConstrained());
        booklet->markChoice(nullptr);
        QVERIFY(!target->isConstrained());
        // A withdrawn condition that stays recorded as marked counts again
        // when the other condition is marked afresh.
        model.markChoiceByKey(QStringLiteral("Option22"), QStringLiteral("False"));
        QVERIFY(target->isConstrained());
    }

    void groupConditionWithoutMark()
    {
        OptionModel model;
        addSwitch(model, QStringLiteral("X"), 1);
        addSwitch(model, QStringLiteral("Y"), 2);
        jOption *z = addSwitch(model, QStringLiteral("Z"), 3);
        model.addGroup({{QStringLiteral("X"), QStringLiteral("True")},
                        {QStringLiteral("Y"), QStringLiteral("True")},
                        {QStringLiteral("Z"), QStringLiteral("True")}});
        // Y never marked: counts as not matching.
        model.markChoiceByKey(QStringLiteral("X"), QStringLiteral("True"));
        QVERIFY(!z->findChoice(QStringLiteral("True"))->isConstrained());
        model.markChoiceByKey(QStringLiteral("Y"), QStringLiteral("True"));
        QVERIFY(z->findChoice(QStringLiteral("True"))->isConstrained());
        QVERIFY(!z->findChoice(QStringLiteral("False"))->isConstrained());
    }

    void addGroupOrderAndDrops_data()
    {
        QTest::addColumn<QList<int>>("priorities");
        QTest::addColumn<QStringList>("expectedOrder");
        QTest::newRow("5 3 5") << QList<int>{5, 3, 5} << QStringList{"Q", "P", "R"};
        QTest::newRow("ascending") << QList<int>{1, 2, 3} << QStringList{"P", "Q", "R"};
        QTest::newRow("descending") << QList<int>{9, 6, 3} << QStringList{"R", "Q", "P"};
        QTest::newRow("all equal") << QList<int>{7, 7, 7} << QStringList{"P", "Q", "R"};
    }

    void addGroupOrderAndDrops()
    {
        QFETCH(QList<int>, priorities);
        QFETCH(QStringList, expectedOrder);
        OptionModel model;
        const QStringList keys{"P", "Q", "R"};
        for (int i = 0; i < 3; ++i)
            addSwitch(model, keys[i], priorities[i]);
        model.addGroup({{"P", "True"}, {"Q", "True"}, {"R", "True"}});
        const QList<ConstraintGroup> groups = model.findOption("P")->findChoice("True")->groups();
        QCOMPARE(groups.size(), 1);
        QStringList order;
        for (const ChoiceRef &ref : groups.first().refs())
            order << ref.option->key();
        QCOMPARE(order, expectedOrder);
        for (const QString &key : keys)
            QCOMPARE(model.findOption(key)->findChoice("True")->groups(), groups);
        // The same rule again is not stored twice.
        model.addGroup({{"P", "True"}, {"Q", "True"}, {"R", "True"}});
        QCOMPARE(model.findOption("R")->findChoice("True")->groups().size(), 1);
    }

    void addGroupDrops()
    {
        OptionModel model;
        for (const char *key : {"P", "Q", "R", "S"})
            addSwitch(model, QLatin1String(key), 5);
        model.addGroup({{"P", "True"}, {"Q", "True"}});
        model.addGroup({{"P", "True"}, {"Q", "True"}, {"R", "True"}, {"S", "True"}});
        model.addGroup({{"P", "True"}, {"Q", "True"}, {"Missing", "True"}});
        model.addGroup({{"P", "True"}, {"Q", "True"}, {"R", "Maybe"}});
        model.addGroup({});
        for (const char *key : {"P", "Q", "R", "S"}) {
            for (OptionChoice *choice : model.findOption(QLatin1String(key))->choices())
                QVERIFY2(choice->groups().isEmpty(), key);
        }
    }

    void unmarkAllReleasesEverything()
    {
        OptionModel model;
        jOption *x = addSwitch(model, QStringLiteral("X"), 1);
        jOption *y = addSwitch(model, QStringLiteral("Y"), 2);
        jOption *z = addSwitch(model, QStringLiteral("Z"), 3);
        model.addConflict("X", "True", "Y", "True");
        model.addGroup({{"X", "False"}, {"Y", "False"}, {"Z", "False"}});
        model.markChoiceByKey("X", "True");
        QVERIFY(y->findChoice("True")->isConstrained());
        model.markChoiceByKey("X", "False");
        model.markChoiceByKey("Y", "False");
        QVERIFY(z->findChoice("False")->isConstrained());
        model.unmarkAll();
        for (jOption *option : {x, y, z}) {
            for (OptionChoice *choice : option->choices())
                QVERIFY(!choice->isConstrained());
        }
        QCOMPARE(x->markedChoice()->key(), QStringLiteral("False"));
        QCOMPARE(y->markedChoice()->key(), QStringLiteral("False"));
    }

    void markChoiceByKeyIgnoresUnknown()
    {
        Pair p(5, 5);
        p.model.markChoiceByKey("A", "a2");
        QCOMPARE(p.a->markedChoice(), p.choice("a2"));
        p.model.markChoiceByKey("A", "zz");
        p.model.markChoiceByKey("Nope", "a1");
        QCOMPARE(p.a->markedChoice(), p.choice("a2"));
        QVERIFY(!p.model.findOption("Nope"));
        p.model.setPriority("Nope", 3);
        p.model.setPriority("A", 3);
        QCOMPARE(p.a->priority(), 3);
    }

    void addOptionReplacesAndFrees()
    {
        Pair p(5, 5);
        p.model.addConflict("A", "a1", "B", "b1");
        addSwitch(p.model, "C", 5);
        p.model.addGroup({{"A", "a1"}, {"B", "b1"}, {"C", "True"}});
        p.model.markChoiceByKey("B", "b1");
        QVERIFY(p.choice("a1")->isConstrained());

        // The replaced B is freed (the sanitizer build checks the rest):
        // nothing may point at its choices any more.
        auto *newB = new jOption(QStringLiteral("B"), QStringLiteral("New B"));
        newB->addChoice("b1", "B one");
        p.model.addOption(newB);
        QCOMPARE(p.model.findOption("B"), newB);
        QVERIFY(p.a->findChoice("a1")->conflicts().isEmpty());
        QVERIFY(!p.a->findChoice("a1")->isConstrained());
        QVERIFY(p.a->findChoice("a1")->groups().isEmpty());
        QVERIFY(p.model.findOption("C")->findChoice("True")->groups().isEmpty());
        QCOMPARE(p.model.allOptions().size(), 3);
        QVERIFY(!p.model.allOptions().contains(nullptr));
        p.model.markChoiceByKey("A", "a1");
        p.model.markChoiceByKey("A", "a2");

        // Adding the same object again keeps it.
        p.model.addOption(newB);
        QCOMPARE(p.model.findOption("B"), newB);
        QCOMPARE(p.model.allOptions().size(), 3);
    }

    void installableOrder()
    {
        OptionModel model;
        for (const char *key : {"Option28", "Option8", "PageSize", "Option01", "Option17", "Option18"})
            addSwitch(model, QLatin1String(key), 99);
        QStringList keys;
        for (jOption *option : model.installableOptions())
            keys << option->key();
        QCOMPARE(keys, (QStringList{"Option17", "Option8", "Option18", "Option01", "Option28"}));
    }
};

QTEST_GUILESS_MAIN(TestOptionRecords)
#include "tst_optionrecords.moc"
