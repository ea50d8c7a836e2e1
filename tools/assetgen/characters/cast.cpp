#include "cast.h"

#include <QPainter>
#include <variant>

#include "cast_table.h"
#include "humanoid.h"

namespace assetgen {

namespace {

using cast::Figure;
using cast::Member;

std::vector<Member> buildCast() {
    cast::Table table(kCharacterCount);
    cast::addParty(table);
    cast::addFoes(table);
    cast::addTownsfolk(table);
    cast::addFighters(table);
    cast::addMonsters(table);
    return table;
}

const std::vector<Member>& members() {
    static const std::vector<Member> members = buildCast();
    return members;
}

QImage frame(const Figure& figure, Facing facing, int step) {
    SpriteCanvas canvas;
    const Facing drawn = facing == Facing::Left ? Facing::Right : facing;
    if (const Look* look = std::get_if<Look>(&figure)) {
        drawHumanoid(canvas, *look, drawn, step);
    } else {
        drawCreature(canvas, std::get<CreatureLook>(figure), drawn, step);
    }
    return canvas.render(facing == Facing::Left);
}

}  // namespace

QImage characterPicture(int index) {
    const Figure& figure = members()[static_cast<size_t>(index)].figure;
    QImage sheet(64, 128, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    QPainter painter(&sheet);
    for (int row = 0; row < 4; ++row) {
        for (int step = 0; step < 2; ++step) {
            painter.drawImage(step * 32, row * 32, frame(figure, static_cast<Facing>(row), step));
        }
    }
    return sheet;
}

QString characterName(int index) {
    return QString::fromUtf8(members()[static_cast<size_t>(index)].name);
}

}  // namespace assetgen
