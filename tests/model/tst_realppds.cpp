// Robustness on real-world input: every PPD of Debian's hp-ppd package,
// read in place (plain or gzip-compressed), loads into a consistent model.
#include "model/CupsPpd.h"
#include "model/OptionChoice.h"
#include "model/OptionModel.h"
#include "model/jOption.h"

#include <QDirIterator>
#include <QFile>
#include <QtTest>

#include <memory>

namespace {

const char *const kPpdRoot = "/usr/share/ppd/hp-ppd";

QString name(const ChoiceRef &ref)
{
    return ref.option->key() + QLatin1Char('=') + ref.choice->key();
}

} // namespace

class TestRealPpds : public QObject {
    Q_OBJECT

private slots:
    void loads_data()
    {
        QTest::addColumn<QString>("path");
        QStringList paths;
        QDirIterator it(QString::fromLatin1(kPpdRoot),
                        {QStringLiteral("*.ppd"), QStringLiteral("*.ppd.gz"), QStringLiteral("*.PPD")},
                        QDir::Files, QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
        while (it.hasNext())
            paths << it.next();
        paths.sort();
        if (paths.isEmpty())
            QFAIL("no PPD under /usr/share/ppd/hp-ppd (scripts/setup.sh installs the hp-ppd package)");
        for (const QString &path : qAsConst(paths))
            QTest::newRow(qPrintable(path.mid(int(strlen(kPpdRoot)) + 1))) << path;
    }

    void loads()
    {
        QFETCH(QString, path);
        ppd_file_t *ppd = ppdOpenFile(QFile::encodeName(path).constData());
        if (!ppd) {
            int line = 0;
            const ppd_status_t status = ppdLastError(&line);
            QFAIL(qPrintable(QStringLiteral("cannot open: %1 (line %2)").arg(QString::fromUtf8(ppdErrorString(status))).arg(line)));
        }
        const std::unique_ptr<ppd_file_t, void (*)(ppd_file_t *)> closer(ppd, ppdClose);
        OptionModel model;
        model.loadFromPpd(ppd);

        QVERIFY(model.findOption(QStringLiteral("NWDToggle")));
        const QHash<QString, QString> defaults = model.ppdDefaults();
        for (jOption *option : model.allOptions()) {
            QVERIFY(option);
            QCOMPARE(model.findOption(option->key()), option);
            if (option->defaultChoice()) {
                QVERIFY2(option->markedChoice() == option->defaultChoice(), qPrintable(option->key()));
                QCOMPARE(defaults.value(option->key()), option->defaultChoice()->key());
            } else {
                QVERIFY2(!option->markedChoice(), qPrintable(option->key()));
                QVERIFY(!defaults.contains(option->key()));
            }
            for (OptionChoice *choice : option->choices()) {
                QCOMPARE(choice->owner(), option);
                const ChoiceRef self(option, choice);
                // Pairwise rules are stored on both choices.
                for (const ChoiceRef &ref : choice->conflicts()) {
                    QVERIFY(ref.option && ref.choice);
                    QCOMPARE(model.findOption(ref.option->key()), ref.option);
                    QCOMPARE(ref.choice->owner(), ref.option);
                    QVERIFY2(ref.choice->hasConflict(self),
                             qPrintable(name(self) + QStringLiteral(" / ") + name(ref)));
                }
                // Groups: three refs by ascending priority, stored on each.
                for (const ConstraintGroup &group : choice->groups()) {
                    QCOMPARE(group.size(), 3);
                    bool member = false;
                    for (int i = 0; i < 3; ++i) {
                        member = member || group.at(i) == self;
                        if (i > 0)
                            QVERIFY(group.at(i - 1).option->priority() <= group.at(i).option->priority());
                        QVERIFY(group.at(i).choice->groups().contains(group));
                    }
                    QVERIFY(member);
                }
                // Only marked choices constrain, and only their partners.
                for (const ChoiceRef &ref : choice->activeConstraints()) {
                    QCOMPARE(ref.option->markedChoice(), ref.choice);
                    QVERIFY(choice->hasConflict(ref));
                }
                for (const ConstraintGroup &group : choice->activeGroups())
                    QCOMPARE(group.target(), self);
            }
        }

        // Every *UIConstraints pair between existing choices became a rule.
        for (int i = 0; i < ppd->num_consts; ++i) {
            const ppd_const_t &c = ppd->consts[i];
            const QString o1 = QString::fromLatin1(c.option1), o2 = QString::fromLatin1(c.option2);
            if ((o1 == QLatin1String("Coll") && o2 == QLatin1String("JCCollate1"))
                || (o1 == QLatin1String("JCCollate1") && o2 == QLatin1String("Coll")))
                continue;
            jOption *a = model.findOption(o1);
            jOption *b = model.findOption(o2);
            OptionChoice *ca = a ? a->findChoice(QString::fromLatin1(c.choice1)) : nullptr;
            OptionChoice *cb = b ? b->findChoice(QString::fromLatin1(c.choice2)) : nullptr;
            if (ca && cb && ca != cb)
                QVERIFY2(ca->hasConflict(ChoiceRef(b, cb)), qPrintable(name(ChoiceRef(a, ca)) + " / " + name(ChoiceRef(b, cb))));
        }

        model.unmarkAll();
        for (jOption *option : model.allOptions()) {
            for (OptionChoice *choice : option->choices())
                QVERIFY(!choice->isConstrained());
        }
    }
};

QTEST_GUILESS_MAIN(TestRealPpds)
#include "tst_realppds.moc"
