#include "shell/replay_dump.h"
#include "physics/ball.h"
#include "render/frame.h"
#include "render/surfaces.h"
#include "rules/game_mode.h"
#include "rules/game_state.h"
#include "rules/match.h"
#include "rules/menu_ball.h"
#include "rules/message_log.h"
#include "rules/tool_catalogue.h"
#include "rules/tutorial.h"
#include "shell/audio.h"
#include "shell/main_loop.h"
#include <cmath>
#include <string>
#include <vector>

namespace {

// The driver is a test harness, not the game: its lists may grow between two dumps.
std::vector<AudioCue> cuesSinceDump;
std::vector<std::string> pushedSinceDump;

void recordCue(const AudioCue& cue) { cuesSinceDump.push_back(cue); }
void recordPushed(const char* line) { pushedSinceDump.emplace_back(line); }

class Json {
  public:
    explicit Json(FILE* out) : out(out) {}
    void raw(const char* text) { std::fputs(text, out); }
    void key(const char* name)
    {
        separate();
        std::fprintf(out, "\"%s\":", name);
        justOpened = true;
    }
    void open(char bracket)
    {
        separate();
        std::fputc(bracket, out);
        justOpened = true;
    }
    void close(char bracket)
    {
        std::fputc(bracket, out);
        justOpened = false;
    }
    void number(long long n)
    {
        separate();
        std::fprintf(out, "%lld", n);
    }
    // Reads back to the same bits; what is not a number in JSON is null.
    void real(double d)
    {
        separate();
        if (std::isfinite(d))
            std::fprintf(out, "%.17g", d);
        else
            std::fputs("null", out);
    }
    void text(const char* s)
    {
        separate();
        std::fputc('"', out);
        for (const unsigned char* c = reinterpret_cast<const unsigned char*>(s); *c; ++c) {
            if (*c == '"' || *c == '\\')
                std::fprintf(out, "\\%c", *c);
            else if (*c < 0x20 || *c == 0x7F)
                std::fprintf(out, "\\u%04x", *c);
            else
                std::fputc(*c, out);
        }
        std::fputc('"', out);
    }
    template <typename T> void field(const char* name, T value)
    {
        key(name);
        if constexpr (std::is_floating_point_v<T>)
            real(value);
        else
            number(value);
    }
    void textField(const char* name, const char* value)
    {
        key(name);
        text(value);
    }
    template <typename T> void list(const char* name, const T* values, int count)
    {
        key(name);
        open('[');
        for (int i = 0; i < count; ++i) number(values[i]);
        close(']');
    }

  private:
    void separate()
    {
        if (!justOpened) std::fputc(',', out);
        justOpened = false;
    }
    FILE* out;
    bool justOpened = true;
};

void dumpBalls(Json& j)
{
    j.key("balls");
    j.open('[');
    for (const Ball& b : game.balls) {
        j.open('{');
        j.field("x", b.x);
        j.field("y", b.y);
        j.field("vx", b.vx);
        j.field("vy", b.vy);
        j.field("value", b.value);
        j.field("onTable", b.onTable);
        j.field("pocketedBy", b.pocketedBy);
        j.field("noScore", b.noScore);
        j.field("selected", b.selected);
        j.field("screenX", b.screenX);
        j.field("screenY", b.screenY);
        j.field("headingSector", b.headingSector);
        j.field("speedClass", b.speedClass);
        j.close('}');
    }
    j.close(']');
}

void dumpTools(Json& j)
{
    j.key("tools");
    j.open('{');
    j.list("buttonState", game.buttonState, TOOL_COUNT);
    j.list("usesLeft", game.usesLeft, TOOL_COUNT);
    j.field("buttonRow", game.buttonRow);
    j.field("selectedTool", game.selectedTool);
    j.field("selectedBall", game.selectedBall);
    j.field("aimX", game.aimX);
    j.field("aimY", game.aimY);
    j.close('}');
    j.key("placedTools");
    j.open('[');
    for (int32_t s = 0; s < PLACED_TOOL_SLOTS; ++s) {
        j.open('{');
        j.field("kind", game.placedTools.kind[s]);
        j.field("x", game.placedTools.x[s]);
        j.field("y", game.placedTools.y[s]);
        j.field("screenX", game.placedTools.screenX[s]);
        j.field("screenY", game.placedTools.screenY[s]);
        j.field("dirX", game.placedTools.dirX[s]);
        j.field("dirY", game.placedTools.dirY[s]);
        j.close('}');
    }
    j.close(']');
    j.field("placedToolCount", game.placedToolCount);
}

void dumpCue(Json& j, const AudioCue& cue)
{
    j.open('{');
    switch (cue.kind) {
    case CuePlayEffect:
        j.textField("op", "playEffect");
        j.textField("name", effectName(cue.effectOrTrack));
        j.field("channel", cue.channel);
        j.field("loops", cue.loops);
        j.field("volume", cue.volume);
        break;
    case CueHaltChannel:
        j.textField("op", "haltChannel");
        j.field("channel", cue.channel);
        break;
    case CueFadeOutChannel:
        j.textField("op", "fadeOutChannel");
        j.field("channel", cue.channel);
        j.field("ms", cue.volume);
        break;
    case CuePlayMusic:
        j.textField("op", "playMusic");
        j.textField("name", musicFileName(cue.effectOrTrack));
        j.field("loops", cue.loops);
        break;
    case CueHaltMusic: j.textField("op", "haltMusic"); break;
    case CueFadeOutMusic:
        j.textField("op", "fadeOutMusic");
        j.field("ms", cue.volume);
        break;
    default: break;
    }
    j.close('}');
}

void dumpRecorded(Json& j)
{
    j.key("pushed");
    j.open('[');
    for (const std::string& line : pushedSinceDump) j.text(line.c_str());
    j.close(']');
    j.key("cues");
    j.open('[');
    for (const AudioCue& cue : cuesSinceDump) dumpCue(j, cue);
    j.close(']');
    j.key("updates");
    j.open('[');
    for (int32_t i = 0; i < pushedRects.count; ++i) {
        const SDL_Rect& r = pushedRects.rects[i];
        const int32_t rect[4] = {r.x, r.y, r.w, r.h};
        j.open('[');
        for (int32_t v : rect) j.number(v);
        j.close(']');
    }
    j.close(']');
    cuesSinceDump.clear();
    pushedSinceDump.clear();
}

} // namespace

void startRecording()
{
    cuesSinceDump.reserve(4096);
    pushedSinceDump.reserve(256);
    recordCues = 1;
    cueRecorder = recordCue;
    messageRecorder = recordPushed;
}

void printDump(FILE* out)
{
    Json j(out);
    j.open('{');
    j.field("t", game.currentTicks);
    j.field("gameMode", game.gameMode);
    j.field("fullRedraw", fullRedraw);
    j.key("options");
    j.open('{');
    j.field("speed", game.options.speed);
    j.field("tickInterval", game.options.tickInterval);
    j.field("sound", game.options.sound);
    j.field("music", game.options.music);
    j.field("messages", game.options.messages);
    j.close('}');
    j.key("match");
    j.open('{');
    j.field("gameKind", game.match.gameKind);
    j.field("turnNumber", game.match.turnNumber);
    j.field("turnLimit", game.match.turnLimit);
    j.field("currentPlayer", game.match.currentPlayer);
    j.list("points", game.match.points, 2);
    j.list("ballsPocketed", game.match.ballsPocketed, 2);
    j.field("winner", game.match.winner);
    j.close('}');
    dumpBalls(j);
    dumpTools(j);
    j.key("messages");
    j.open('{');
    j.textField("upper", game.messageLog.upper);
    j.textField("lower", game.messageLog.lower);
    j.close('}');
    j.key("menu");
    j.open('{');
    j.field("menuSelection", game.menuSelection);
    j.field("optionsSelection", game.optionsSelection);
    j.field("menuBallX", game.menuBallX);
    j.field("menuBallY", game.menuBallY);
    j.field("menuBallSpeed", game.menuBallSpeed);
    j.field("menuBallVy", game.menuBallVy);
    j.field("menuBallCell", game.menuBallCell);
    j.close('}');
    j.key("tutorial");
    j.open('{');
    j.field("pageDeadline", game.pageDeadline);
    j.close('}');
    j.key("timing");
    j.open('{');
    j.field("nextTickTime", game.nextTickTime);
    j.field("nextTrackTime", game.nextTrackTime);
    j.field("currentTrack", game.currentTrack);
    j.close('}');
    dumpRecorded(j);
    j.close('}');
    std::fputc('\n', out);
    std::fflush(out);
}
