// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

// The embedded icons: their file layout byte by byte, what Qt makes of them, what they show,
// and that the checked-in files are what make_icons.py would produce from the drawings.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QSet>
#include <QSize>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace {

const QString TessalyIco = QStringLiteral(ASSETS_DIR "/tessaly.ico");
const QString BooksIco = u":/icons/books.ico"_s;

// The standard VGA table. The drawings' legends index into it, so a 4-bit image carrying
// anything else would show the wrong colours.
const QList<QRgb> Vga16 = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                           0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                           0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
const QList<QRgb> Mono = {0x000000, 0xFFFFFF};

// DIB scan lines are padded to whole 32-bit words.
int stride(int bits)
{
    return (bits + 31) / 32 * 4;
}

// The little-endian T at byte `at`: read<quint16>(d, 4).
template<class T> T read(const QByteArray &d, qsizetype at)
{
    return qFromLittleEndian<T>(d.constData() + at);
}

// Pixel (x, y), counted from the top, of a bottom-up bitmap starting at `start`.
int pixelAt(const QByteArray &d, qsizetype start, int width, int height, int bpp, int x, int y)
{
    const qsizetype row = start + qsizetype(height - 1 - y) * stride(width * bpp);
    const int bit = x * bpp;
    const auto byte = static_cast<quint8>(d.at(row + bit / 8));
    return (byte >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1);
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QList<QImage> readAll(const QString &path)
{
    QImageReader reader(path);
    QList<QImage> images;
    for (int i = 0; i < reader.imageCount(); ++i) {
        if (!reader.jumpToImage(i))
            break;
        images.append(reader.read().convertToFormat(QImage::Format_ARGB32));
    }
    return images;
}

bool transparentAt(const QImage &image, int x, int y)
{
    return qAlpha(image.pixel(x, y)) == 0;
}

bool isOpaque(const QImage &image, int x, int y, QRgb rgb)
{
    return image.pixel(x, y) == (0xFF000000u | rgb);
}

struct RunResult
{
    int exitCode = -1; // -1 too when it crashed or never started
    QString output;
};

RunResult runGenerator(const QString &script, const QStringList &args = {})
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(u"python3"_s, QStringList{script} + args);
    if (!p.waitForStarted(10000))
        return {-1, u"python3 could not be started"_s};
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAll())};
}

} // namespace

class TestIcons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fileLayoutAndWhatQtReads_data();
    void fileLayoutAndWhatQtReads();

    void programIconIsAWhiteSheetAndItsMonoImageFollows();
    void booksAreSeveralUprightSpines();
    void pngsMatchTheIcon_data();
    void pngsMatchTheIcon();

    void generatedFilesAreUpToDateAndTheCheckNoticesAnEdit();
};

void TestIcons::fileLayoutAndWhatQtReads_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QList<QSize>>("sizes");
    QTest::addColumn<QList<int>>("bitCounts");

    QTest::newRow("tessaly") << TessalyIco << QList<QSize>{{32, 32}, {32, 32}, {16, 16}}
                             << QList<int>{1, 4, 4};
    QTest::newRow("books") << BooksIco << QList<QSize>{{32, 32}, {16, 16}} << QList<int>{4, 4};
}

// The file byte by byte; then Qt reads every image at its size, and an icon made from the file
// offers both sizes.
void TestIcons::fileLayoutAndWhatQtReads()
{
    QFETCH(QString, path);
    QFETCH(QList<QSize>, sizes);
    QFETCH(QList<int>, bitCounts);

    const QByteArray d = readBytes(path);
    QVERIFY2(!d.isEmpty(), qPrintable(u"cannot read "_s + path));
    const qsizetype count = sizes.size();

    // ICONDIR
    QVERIFY(d.size() >= 6 + 16 * count);
    QCOMPARE(read<quint16>(d, 0), 0);
    QCOMPARE(read<quint16>(d, 2), 1); // icon, not cursor
    QCOMPARE(read<quint16>(d, 4), count);

    qsizetype expectedOffset = 6 + 16 * count;
    for (qsizetype i = 0; i < count; ++i) {
        const QByteArray at = "image " + QByteArray::number(i);
        const int w = sizes[i].width();
        const int h = sizes[i].height();
        const int bpp = bitCounts[i];
        const int colours = 1 << bpp;
        const int xorBytes = stride(w * bpp) * h;
        const int andBytes = stride(w) * h;
        const int resourceBytes = 40 + 4 * colours + xorBytes + andBytes;

        // ICONDIRENTRY
        const qsizetype e = 6 + 16 * i;
        QCOMPARE(quint8(d[e + 0]), w);
        QCOMPARE(quint8(d[e + 1]), h);
        QCOMPARE(quint8(d[e + 2]), colours);
        QCOMPARE(quint8(d[e + 3]), 0);
        QCOMPARE(read<quint16>(d, e + 4), 1);
        QCOMPARE(read<quint16>(d, e + 6), bpp);
        QCOMPARE(read<quint32>(d, e + 8), quint32(resourceBytes));
        // Images are packed back to back in directory order with nothing in between.
        QCOMPARE(read<quint32>(d, e + 12), quint32(expectedOffset));
        QVERIFY2(expectedOffset + resourceBytes <= d.size(), at.constData());

        // BITMAPINFOHEADER
        const qsizetype b = expectedOffset;
        QCOMPARE(read<quint32>(d, b + 0), 40u);
        QCOMPARE(read<qint32>(d, b + 4), w);
        QCOMPARE(read<qint32>(d, b + 8), 2 * h); // colour bitmap and mask stacked
        QCOMPARE(read<quint16>(d, b + 12), 1);
        QCOMPARE(read<quint16>(d, b + 14), bpp);
        QCOMPARE(read<quint32>(d, b + 16), 0u); // uncompressed
        QCOMPARE(read<quint32>(d, b + 20), quint32(xorBytes + andBytes));

        const qsizetype palette = b + 40;
        const QList<QRgb> &expectedPalette = bpp == 1 ? Mono : Vga16;
        for (int c = 0; c < colours; ++c) {
            const qsizetype p = palette + 4 * c;
            const QRgb rgb = qRgb(quint8(d[p + 2]), quint8(d[p + 1]), quint8(d[p]));
            QCOMPARE(rgb & 0xFFFFFF, expectedPalette[c]);
            QCOMPARE(quint8(d[p + 3]), 0);
        }

        // The mask must really carve the picture out: some pixels masked, some not, and
        // masked ones black in the colour bitmap so AND-then-XOR leaves the desktop as is.
        const qsizetype xorStart = palette + 4 * colours;
        const qsizetype andStart = xorStart + xorBytes;
        int masked = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (pixelAt(d, andStart, w, h, 1, x, y) == 0)
                    continue;
                ++masked;
                QVERIFY2(pixelAt(d, xorStart, w, h, bpp, x, y) == 0,
                         qPrintable(u"%1: masked pixel (%2, %3) has colour"_s.arg(
                             QString::fromLatin1(at), QString::number(x), QString::number(y))));
            }
        }
        QVERIFY2(masked > 0, at.constData());
        QVERIFY2(masked < w * h, at.constData());

        expectedOffset += resourceBytes;
    }
    QCOMPARE(d.size(), expectedOffset);

    QImageReader reader(path);
    QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
    QCOMPARE(reader.imageCount(), sizes.size());
    for (int i = 0; i < sizes.size(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.size(), sizes[i]);
        QVERIFY(image.hasAlphaChannel());
    }

    const QIcon icon(path);
    const QList<QSize> available = icon.availableSizes();
    QVERIFY2(available.contains(QSize(16, 16)), qPrintable(path));
    QVERIFY2(available.contains(QSize(32, 32)), qPrintable(path));
    QCOMPARE(icon.pixmap(QSize(16, 16)).size(), QSize(16, 16));
}

void TestIcons::programIconIsAWhiteSheetAndItsMonoImageFollows()
{
    const QList<QImage> images = readAll(TessalyIco);
    QCOMPARE(images.size(), 3);
    for (qsizetype i = 0; i < images.size(); ++i) {
        const QImage &image = images[i];
        const int w = image.width();
        const int h = image.height();
        QVERIFY2(isOpaque(image, w / 2, h / 2, 0xFFFFFF), qPrintable(u"image %1"_s.arg(i)));
        QVERIFY(transparentAt(image, 0, 0));
        QVERIFY(transparentAt(image, w - 1, 0));
        QVERIFY(transparentAt(image, 0, h - 1));
        QVERIFY(transparentAt(image, w - 1, h - 1));

        // Walking up from the centre, the white sheet ends at something dark (a frame line
        // or the title strip itself), and the title strip is blue in the colour images.
        int y = h / 2;
        while (y > 0 && isOpaque(image, w / 2, y, 0xFFFFFF))
            --y;
        const QColor edge = QColor::fromRgba(image.pixel(w / 2, y));
        QVERIFY2(edge.alpha() == 255 && edge.lightness() < 128, qPrintable(edge.name()));
        if (i > 0) {
            bool blue = false;
            for (int above = 0; above <= y; ++above) {
                const QColor c = QColor::fromRgba(image.pixel(w / 2, above));
                blue = blue || (c.alpha() == 255 && c.blue() > 0 && c.red() == 0 && c.green() == 0);
            }
            QVERIFY2(blue, qPrintable(u"image %1 has no blue title strip"_s.arg(i)));
        }
        QVERIFY2(y < h / 3, "the sheet should fill most of the window");
    }

    // The mono image follows the colour one of its size.
    const QImage &mono = images[0];
    const QImage &colour = images[1];
    QCOMPARE(mono.size(), colour.size());

    for (int y = 0; y < mono.height(); ++y) {
        for (int x = 0; x < mono.width(); ++x) {
            const QRgb m = mono.pixel(x, y);
            const QRgb c = colour.pixel(x, y);
            const QByteArray where =
                "(" + QByteArray::number(x) + ", " + QByteArray::number(y) + ")";
            QVERIFY2((qAlpha(m) == 0) == (qAlpha(c) == 0), where.constData());
            if (qAlpha(m) == 0)
                continue;
            QVERIFY2(m == 0xFF000000u || m == 0xFFFFFFFFu, where.constData());
            // Clearly dark colours must come out black and clearly light ones white; the
            // greys in between may go either way.
            const int lightness = QColor::fromRgba(c).lightness();
            if (lightness < 96)
                QVERIFY2(m == 0xFF000000u, where.constData());
            if (lightness > 160)
                QVERIFY2(m == 0xFFFFFFFFu, where.constData());
        }
    }
}

void TestIcons::booksAreSeveralUprightSpines()
{
    const QList<QImage> images = readAll(BooksIco);
    QCOMPARE(images.size(), 2);
    for (const QImage &image : images) {
        const int w = image.width();
        const int h = image.height();
        QVERIFY(transparentAt(image, 0, 0));
        QVERIFY(transparentAt(image, w - 1, 0));

        // Coloured covers, not counting black and greys (outlines, shadows).
        QSet<QRgb> covers;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const QColor c = QColor::fromRgba(image.pixel(x, y));
                if (c.alpha() == 255 && c.hsvSaturation() > 0)
                    covers.insert(c.rgb());
            }
        }
        QVERIFY2(covers.size() >= 5, qPrintable(QString::number(covers.size())));

        // Books of different heights: the topmost opaque row varies across the width.
        QSet<int> tops;
        for (int x = 0; x < w; ++x) {
            for (int y = 0; y < h; ++y) {
                if (!transparentAt(image, x, y)) {
                    tops.insert(y);
                    break;
                }
            }
        }
        QVERIFY2(tops.size() >= 3, qPrintable(QString::number(tops.size())));
    }
}

void TestIcons::pngsMatchTheIcon_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("icoIndex");
    QTest::newRow("16") << 16 << 2;
    QTest::newRow("32") << 32 << 1;
}

void TestIcons::pngsMatchTheIcon()
{
    QFETCH(int, size);
    QFETCH(int, icoIndex);

    const QString path =
        u"%1/%2x%2/apps/tessaly.png"_s.arg(QStringLiteral(HICOLOR_DIR), QString::number(size));
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("png"));
    const QImage png = reader.read();
    QVERIFY2(!png.isNull(), qPrintable(path + u": "_s + reader.errorString()));
    QCOMPARE(png.size(), QSize(size, size));
    QVERIFY(png.hasAlphaChannel());

    const QList<QImage> images = readAll(TessalyIco);
    QVERIFY(icoIndex < images.size());
    const QImage &ico = images[icoIndex];
    const QImage rgba = png.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb a = rgba.pixel(x, y);
            const QRgb b = ico.pixel(x, y);
            if (qAlpha(a) == 0 && qAlpha(b) == 0)
                continue;
            QVERIFY2(a == b, qPrintable(u"(%1, %2): png %3, ico %4"_s.arg(x)
                                            .arg(y)
                                            .arg(a, 8, 16, QChar(u'0'))
                                            .arg(b, 8, 16, QChar(u'0'))));
        }
    }
}

void TestIcons::generatedFilesAreUpToDateAndTheCheckNoticesAnEdit()
{
    RunResult r = runGenerator(QStringLiteral(MAKE_ICONS), {u"--check"_s});
    QVERIFY2(r.exitCode == 0, qPrintable(r.output));

    // Work on a copy so the check's own failure path can be exercised without touching the
    // source tree.
    const QDir assets = QFileInfo(QStringLiteral(MAKE_ICONS)).absoluteDir();
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QDir copy(tmp.path());
    const QStringList files = {u"make_icons.py"_s,
                               u"icons/program.txt"_s,
                               u"icons/books.txt"_s,
                               u"tessaly.ico"_s,
                               u"books.ico"_s,
                               u"hicolor/16x16/apps/tessaly.png"_s,
                               u"hicolor/32x32/apps/tessaly.png"_s};
    for (const QString &f : files) {
        QVERIFY(copy.mkpath(QFileInfo(f).path()));
        QVERIFY2(QFile::copy(assets.filePath(f), copy.filePath(f)), qPrintable(f));
    }
    const QString script = copy.filePath(u"make_icons.py"_s);

    r = runGenerator(script, {u"--check"_s});
    QVERIFY2(r.exitCode == 0, qPrintable(r.output));

    // Blacken one pixel of the sheet in the 32x32 drawing.
    QFile drawing(copy.filePath(u"icons/program.txt"_s));
    QVERIFY(drawing.open(QIODevice::ReadWrite));
    QByteArray text = drawing.readAll();
    const qsizetype sheet = text.indexOf(".KWWW");
    QVERIFY(sheet > 0);
    text[sheet + 2] = 'K';
    QVERIFY(drawing.seek(0));
    QCOMPARE(drawing.write(text), text.size());
    drawing.close();

    r = runGenerator(script, {u"--check"_s});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.output.contains(u"tessaly.ico"_s), qPrintable(r.output));
    QVERIFY2(!r.output.contains(u"books.ico"_s), qPrintable(r.output));

    // Regenerating brings the copy back in line, and the check passes again.
    const QByteArray before = readBytes(copy.filePath(u"tessaly.ico"_s));
    r = runGenerator(script);
    QVERIFY2(r.exitCode == 0, qPrintable(r.output));
    QVERIFY(readBytes(copy.filePath(u"tessaly.ico"_s)) != before);
    r = runGenerator(script, {u"--check"_s});
    QVERIFY2(r.exitCode == 0, qPrintable(r.output));
}

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
