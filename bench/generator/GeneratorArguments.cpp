#include "GeneratorArguments.h"

namespace {

// Accepts "--name value" and "--name=value". Returns true when the argument at
// index is this option; value then holds its text (empty when it is missing).
bool TakeOption(const QStringList& arguments, int& index, const QString& name, QString* value, bool* missing)
{
    const QString& argument = arguments[index];
    if (argument == name) {
        *missing = index + 1 >= arguments.size();
        *value = *missing ? QString() : arguments[++index];
        return true;
    }
    if (argument.startsWith(name + QLatin1Char('='))) {
        *missing = false;
        *value = argument.mid(name.size() + 1);
        return true;
    }
    return false;
}

} // namespace

QString GeneratorUsage()
{
    return QStringLiteral(
        "Usage: quorix-genproject [--topics N] [--depth D] [--seed S] OUTDIR\n"
        "Writes a synthetic help project (topic pages, pictures, style sheet, script) into OUTDIR.\n"
        "  --topics N  number of topics, 1 or more (default 1000)\n"
        "  --depth D   deepest table-of-contents level, 1 to 32 (default 4)\n"
        "  --seed S    seed, 0 to 4294967295; the same seed gives the same files (default 1)\n");
}

QString ParseGeneratorArguments(const QStringList& arguments, GeneratorCommand* command)
{
    GeneratorCommand result;
    QStringList positional;
    bool onlyPositional = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (onlyPositional || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            positional.append(argument);
            continue;
        }
        if (argument == QLatin1String("--")) {
            onlyPositional = true;
            continue;
        }
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            result.help = true;
            continue;
        }

        QString value;
        bool missing = false;
        bool ok = false;
        if (TakeOption(arguments, i, QStringLiteral("--topics"), &value, &missing)) {
            if (missing)
                return QStringLiteral("--topics needs a number");
            const int topics = value.toInt(&ok);
            if (!ok || topics < 1)
                return QStringLiteral("--topics must be a whole number of 1 or more, not \"%1\"").arg(value);
            result.options.topicCount = topics;
        } else if (TakeOption(arguments, i, QStringLiteral("--depth"), &value, &missing)) {
            if (missing)
                return QStringLiteral("--depth needs a number");
            const int depth = value.toInt(&ok);
            if (!ok || depth < 1 || depth > 32)
                return QStringLiteral("--depth must be a whole number from 1 to 32, not \"%1\"").arg(value);
            result.options.maxDepth = depth;
        } else if (TakeOption(arguments, i, QStringLiteral("--seed"), &value, &missing)) {
            if (missing)
                return QStringLiteral("--seed needs a number");
            const uint seed = value.toUInt(&ok);
            if (!ok)
                return QStringLiteral("--seed must be a whole number from 0 to 4294967295, not \"%1\"").arg(value);
            result.options.seed = seed;
        } else {
            return QStringLiteral("unknown option \"%1\"").arg(argument);
        }
    }

    if (!result.help) {
        if (positional.isEmpty())
            return QStringLiteral("no output folder given");
        if (positional.size() > 1)
            return QStringLiteral("only one output folder may be given, not \"%1\"").arg(positional.join(QLatin1String("\", \"")));
        if (positional.first().isEmpty())
            return QStringLiteral("the output folder name is empty");
        result.outDir = positional.first();
    }
    *command = result;
    return QString();
}
