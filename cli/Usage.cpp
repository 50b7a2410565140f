#include "Usage.h"

namespace karmo::cli {

namespace {

const char* kInputOptions =
    "Input options:\n"
    "  --format F    karmo | text | text-noheader | asc | bin. Default from the name:\n"
    "                karhs.* karmo, *.txt text, *.asc asc, *.bin and *.dac bin.\n"
    "  --strain      the history is a strain history (microstrain) instead of stress (MPa)\n"
    "  --us          text files and series are in US display units (ksi)\n"
    "  --gate PCT    range gate in % of the history's range (default 0: none)\n"
    "  --scale F     scale factor applied to the history (default 1)\n"
    "  --no          answer No to every question (default Yes)\n";

const char* kSpectrumOptions =
    "Spectrum options:\n"
    "  --levels L        number of levels (default: the proposal after the count, 7 at most)\n"
    "  --min-range R     smallest range in MPa (microstrain for strain); default: the\n"
    "                    proposal; below the lowest the count allows it is raised to it\n"
    "  --mse SU,SY,KF    correct every cycle for the mean-stress effect: ultimate and yield\n"
    "                    strength (display units) and notch factor; default: ignored\n"
    "  --fit T           fit a distribution: beta | weibull | lognorm\n";

const char* kGeneral =
    "Usage: karmo-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Rainflow counting, spectra, distributions and the Loading Database, without a window.\n"
    "Every number comes from the same code as the desktop program.\n"
    "\n"
    "Commands:\n"
    "  history INPUT [input options] -o OUT\n"
    "      read and reduce a history (conflicts removed), write it as a history file\n"
    "  spectrum INPUT [input options] [spectrum options] [--json]\n"
    "      count a history into a spectrum; print it as a table or as JSON\n"
    "  edit INPUT [input options] [edits] -o OUT [--json]\n"
    "      rescale, cut, append, retype and smooth a history in the order given\n"
    "  synth --type T --q Q --r R --max SMAX --min SMIN --levels L --volume N [--json]\n"
    "      generate a spectrum from a Beta, Weibull or Log-norm distribution\n"
    "  db list DBDIR [--json]\n"
    "  db add DBDIR INPUT [input options] [spectrum options] [--name NAME]\n"
    "  db delete DBDIR N\n"
    "      list, add to or delete from the Loading Database in DBDIR (kardt.dat)\n"
    "  report DBDIR N [-o FILE] [--printer] [--date MM-DD-YYYY] [--us]\n"
    "      the summary report of batch N\n"
    "  damage INPUT [input options] [spectrum options] (--sn ... | --detail-category C)\n"
    "  damage --db DBDIR N (--sn ... | --detail-category C)\n"
    "      Miner damage, life and equivalent range of a spectrum against an S-N curve\n"
    "\n"
    "Messages of the program go to standard error as \"TITLE: TEXT\"; questions are answered\n"
    "Yes (No with --no). Exit status: 0 success, 1 the input could not be used, 2 usage error.\n"
    "\"karmo-cli COMMAND --help\" tells more about a command.\n"
    "\n"
    "Example:\n"
    "  karmo-cli spectrum examples/strain-gauge.bin --levels 10 --fit weibull\n";

std::string historyHelp() {
    return std::string(
               "Usage: karmo-cli history INPUT [input options] -o OUT\n"
               "\n"
               "Reads INPUT as the input panel does: a measured series is reduced to its peaks and\n"
               "valleys, the range gate and the scale factor are applied, and conflicting points\n"
               "(equal neighbours, two steps the same way) are removed. OUT is written in the\n"
               "history file format, closed with its closing value as a batch's history is stored.\n"
               "\n") +
           kInputOptions +
           "  -o OUT        the history file to write (required)\n"
           "\n"
           "Example:\n"
           "  karmo-cli history examples/strain-gauge.asc --gate 5 -o /tmp/karhs.1\n";
}

std::string spectrumHelp() {
    return std::string(
               "Usage: karmo-cli spectrum INPUT [input options] [spectrum options] [--json]\n"
               "\n"
               "Reads INPUT as \"history\" does, rotates it to its largest value, counts it by the\n"
               "rainflow method, builds the spectrum levels and, with --fit, fits a distribution.\n"
               "Prints a table in display units, or with --json one JSON object in internal units\n"
               "(MPa or microstrain): history, counting, spectrum, fit (with --fit), messages.\n"
               "\n") +
           kInputOptions + kSpectrumOptions +
           "  --matrix MEANBINS add the rainflow matrix: the cycles of each level split into\n"
           "                    MEANBINS bins (1 to 1000) of their mean over the history's span;\n"
           "                    JSON \"matrix\": {\"rangeEdges\", \"meanEdges\", \"counts\"}, where\n"
           "                    counts[i][j] is level i+1, bin j+1; level i+1 holds the ranges from\n"
           "                    rangeEdges[i+1] up to rangeEdges[i], bin j+1 the means from\n"
           "                    meanEdges[j] up to meanEdges[j+1]\n"
           "  --json            print JSON instead of the table\n"
           "\n"
           "Example:\n"
           "  karmo-cli spectrum examples/strain-gauge.bin --levels 10 --mse 500,300,1.5 --json\n";
}

std::string editHelp() {
    return std::string(
               "Usage: karmo-cli edit INPUT [input options] [edits] -o OUT [--json]\n"
               "\n"
               "Reads INPUT as \"history\" does, applies the edits in the order given, as the\n"
               "editing dialogs of the window apply them, and writes OUT as \"history\" writes it\n"
               "(conflicts removed, an even count, the closing value). An edit that is refused\n"
               "writes nothing: exit status 1 with the dialog's message.\n"
               "\n") +
           kInputOptions +
           "Edits (each may be given more than once):\n"
           "  --rescale F,O          every value v becomes F*v + O (O in display units)\n"
           "  --cut FROM-TO          remove points FROM to TO (counted from 1)\n"
           "  --cut-band FROM-TO:LOW..HIGH\n"
           "                         remove the points FROM to TO whose value lies in\n"
           "                         LOW..HIGH (display units)\n"
           "  --append FILE          append the history file FILE\n"
           "  --set POINT=VALUE      retype the value of point POINT (display units)\n"
           "  --smooth GATE          lowpass gate of the Correction dialog, in % of the range\n"
           "  -o OUT                 the history file to write (required)\n"
           "  --json                 print the history and the messages as JSON\n"
           "\n"
           "Example:\n"
           "  karmo-cli edit examples/strain-gauge.asc --cut 1-40 --rescale 2,-10 --smooth 5 -o /tmp/karhs.1\n";
}

std::string synthHelp() {
    return "Usage: karmo-cli synth --type beta|weibull|lognorm --q Q --r R --max SMAX --min SMIN\n"
           "                       --levels L --volume N [--json]\n"
           "\n"
           "Lays L levels from SMAX down to SMIN (MPa) and gives them the N cycles of the\n"
           "distribution, as the parameter dialog does. Q is in the form the dialog takes it:\n"
           "the Beta shape, the Weibull scale in MPa, the Log-norm mean of ln S (S in MPa);\n"
           "R is the second parameter. Prints the spectrum as a table or, with --json, as the\n"
           "\"spectrum\" object of \"karmo-cli spectrum --json\" (with \"source\" and \"messages\").\n"
           "\n"
           "Example:\n"
           "  karmo-cli synth --type weibull --q 60 --r 1.5 --max 200 --min 20 --levels 8 --volume 100000\n";
}

std::string dbHelp() {
    return std::string(
               "Usage: karmo-cli db list DBDIR [--json]\n"
               "       karmo-cli db add DBDIR INPUT [input options] [spectrum options] [--name NAME]\n"
               "       karmo-cli db delete DBDIR N\n"
               "\n"
               "A Loading Database is a directory with kardt.dat and one history file per batch\n"
               "(karhs.1, karhs.2, ...).\n"
               "  list    prints every batch (JSON: format and batches with their stored fields)\n"
               "  add     counts INPUT as \"spectrum\" does and appends it as a new batch with its\n"
               "          history file; DBDIR gets a new database when it has none\n"
               "  delete  deletes batch N and saves, renumbering the batches after it\n"
               "\n") +
           kInputOptions + kSpectrumOptions +
           "  --name NAME       the batch name (default \"Batch <n>\")\n"
           "\n"
           "Example:\n"
           "  karmo-cli db add /tmp/mydb examples/strain-gauge.bin --levels 10 --name \"Bracket left\"\n";
}

std::string reportHelp() {
    return "Usage: karmo-cli report DBDIR N [-o FILE] [--printer] [--date MM-DD-YYYY] [--us]\n"
           "\n"
           "The summary report of batch N of the Loading Database in DBDIR: the file form\n"
           "(Windows-1252, CR LF) or, with --printer, the text of the printed form. Written to\n"
           "FILE, or to standard output.\n"
           "  -o FILE            write the report to FILE (replaced as a whole)\n"
           "  --printer          the printed form's text instead of the file form\n"
           "  --date MM-DD-YYYY  the date of the first line (default today)\n"
           "  --us               US units (ksi)\n"
           "\n"
           "Example:\n"
           "  karmo-cli report examples/database 1 -o /tmp/batch1.txt\n";
}

std::string damageHelp() {
    return std::string(
               "Usage: karmo-cli damage INPUT [input options] [spectrum options] S-N [--nref N] [--json]\n"
               "       karmo-cli damage --db DBDIR N S-N [--nref N] [--us] [--json]\n"
               "\n"
               "Palmgren-Miner damage of one repetition of a spectrum: counted from INPUT as\n"
               "\"spectrum\" does, or batch N of the Loading Database in DBDIR. Ranges S are in MPa\n"
               "(microstrain for strain); each level's cycles count at the level's range.\n"
               "S-N (one of):\n"
               "  --sn k,SD,ND          N(S) = ND (SD/S)^k\n"
               "  --sn k,SD,ND,k2       the same down to SD, slope k2 below it (2k-1 Haibach, k the\n"
               "                        elementary form)\n"
               "  --sn k,SD,ND,k2,SL    as before, no damage below the cut-off SL\n"
               "  --detail-category C   steel detail category C (MPa at 2e6 cycles, slope 3): knee\n"
               "                        (2/5)^(1/3) C at 5e6 cycles, slope 5, cut-off at 1e8 cycles\n"
               "  --nref N              cycles of the equivalent range (default 2000000)\n"
               "Results: damage per repetition D, repetitions to failure 1/D, life in hours (from\n"
               "the record time), the equivalent constant range at N cycles SD (D ND / N)^(1/k), and\n"
               "each level's damage. --json prints {\"damage\": {\"perRepetition\", \"repetitions\",\n"
               "\"hours\", \"equivalentRange\", \"nRef\", \"levels\": [{\"range\", \"cycles\",\n"
               "\"damage\"}]}} in internal units; hours is null without a record time.\n"
               "\n") +
           kInputOptions + kSpectrumOptions +
           "  --json                print JSON instead of the table\n"
           "\n"
           "Example:\n"
           "  karmo-cli damage examples/bracket.txt --levels 8 --detail-category 71\n";
}

}  // namespace

std::string UsageText(const std::string& command) {
    if (command.empty()) return kGeneral;
    if (command == "history") return historyHelp();
    if (command == "spectrum") return spectrumHelp();
    if (command == "synth") return synthHelp();
    if (command == "edit") return editHelp();
    if (command == "db") return dbHelp();
    if (command == "report") return reportHelp();
    if (command == "damage") return damageHelp();
    return "";
}

}  // namespace karmo::cli
