#pragma once
// The lines of an SVG drawing in one colour, as the chart writes them: a polyline in a
// group whose stroke is that colour.

#include <QByteArray>
#include <QPointF>
#include <QString>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <vector>

inline std::vector<std::vector<QPointF>> SvgLines(const QByteArray& svg, const QString& colour)
{
    std::vector<std::vector<QPointF>> lines;
    std::vector<QString> strokes{QString()};
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == u"g")
            strokes.pop_back();
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == u"g")
            strokes.push_back(attributes.hasAttribute(QStringLiteral("stroke"))
                                  ? attributes.value(QStringLiteral("stroke")).toString()
                                  : strokes.back());
        if (xml.name() != u"polyline" || strokes.back() != colour)
            continue;
        std::vector<QPointF>& points = lines.emplace_back();
        for (const QString& pair : attributes.value(QStringLiteral("points")).toString().split(u' ', Qt::SkipEmptyParts))
            points.emplace_back(pair.section(u',', 0, 0).toDouble(), pair.section(u',', 1, 1).toDouble());
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return lines;
}
