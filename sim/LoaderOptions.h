#pragma once

#include "BootLoader.h"

#include <QString>

class QCommandLineParser;

// What the command line asks of the boot loader.
struct LoaderOptions {
    LoaderSettings settings;
    QString dumpPath; // the memory image goes here after go and at exit
    quint64 vanishAfterFrames = 0;
};

void addLoaderOptions(QCommandLineParser &parser);
bool readLoaderOptions(const QCommandLineParser &parser, LoaderOptions *options, QString *error);

// One line on what the loader will do, for the start-up report.
QString describeLoader(const LoaderSettings &settings);
