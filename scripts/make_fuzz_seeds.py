#!/usr/bin/env python3
"""Writes the small seed corpora of the fuzz targets (fuzz/<target>/corpus/).

Each seed is a typical input of its reader: real game messages, a settings
file, a tally grid, codec inputs. The fuzzers grow their own corpora from
these; only the seeds are kept in git. The two container seeds of the codec
("container", "stored") are a "0"/"3" mode byte followed by a file that
`kalvex-tld pack` wrote from a small tally text and from 3000 random bytes.
Run from the source root: python3 scripts/make_fuzz_seeds.py
"""
import os
import random
import struct

T = b"\xff"


def write(target, name, data):
    folder = os.path.join("fuzz", target, "corpus")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def msg(*parts, open_tail=False):
    text = b"+".join(p if isinstance(p, bytes) else str(p).encode() for p in parts)
    return text + (b"" if open_tail else b"+") + T


# --- framing and field reader: control byte (connection, read length) + bytes
def chunked(stream, rng):
    out = bytearray()
    i = 0
    while i < len(stream):
        conn = rng.randrange(3)
        length = rng.randrange(1, 40)
        control = (length * 3 + conn) & 0x7F | (0x80 if rng.random() < 0.5 else 0)
        length = min((control & 0x7F) // 3 % 40, len(stream) - i)
        out.append(control)
        out += stream[i:i + length]
        i += length
    return bytes(out)


rng = random.Random(7)
login = msg("CMD_logininfo", 2, "1.0.5", "Ann", open_tail=True) + T
chat = msg("CMD_chat", 2, b"hello + world|clRed", open_tail=True)
guess = msg("CMD_checkit", 2, 1, 2, 3, 4)
start = msg("CMD_startgame", "Bob", 5, 120, 1, 0)
watch = msg("CMD_justwatch", 3, "1", open_tail=True)
sound = msg("CMD_playasound", 2, "wave7")
colour = msg("CMD_action", 4, b"waves|$00FF8000", open_tail=True)
write("net", "login", chunked(login + chat + guess, rng))
write("net", "game", chunked(start + guess * 3 + watch + sound + colour, rng))
write("net", "tail", chunked(b"CMD_chat+2+" + b"x" * 300, rng))

# --- server: FuzzedDataProvider input; random bytes of a few sizes
for n, size in enumerate((64, 256, 1024)):
    write("server", "random%d" % n, bytes(rng.randrange(256) for _ in range(size)))
write("server", "zeros", bytes(512))

# --- client: server lines separated by newlines, "!" lines are user actions
def lines(*items):
    return b"\n".join(items) + b"\n"


write("client", "login", lines(
    b"CMD_sendlogininfo+1",
    b"CMD_newplayerinfo+1+Ann",
    b"CMD_existingplayers+2+Bob",
    b"CMD_chat+2+Bob chats: hi|clBlue",
    b"CMD_action+2+Bob waves|$000000FF",
    b"CMD_playasound+2+wave3+",
    b"CMD_havewrongversion+Zed",
    b"CMD_wrongversion+",
    b"CMD_playerdisconnected+2+Bob"))
write("client", "round", lines(
    b"CMD_sendlogininfo+1",
    b"CMD_newplayerinfo+1+Ann",
    b"CMD_startgame+Ann+2+60+1+1+",
    b"CMD_startround+1+",
    b"CMD_nextplayer+1+1+",
    b"!\x00\x05", b"!\x00\x13", b"!\x01",
    b"CMD_yourresult+1+1+1+2+1+",
    b"CMD_nextplayer+1+2+",
    b"CMD_gotit+1+11+11+2+1+2+3+4+",
    b"!\x02", b"CMD_endround+", b"CMD_timeup+1+2+3+4+",
    b"CMD_gottime+1+16+", b"CMD_winner+1+", b"CMD_tiegame+"))
write("client", "late", lines(
    b"CMD_sendlogininfo+3",
    b"CMD_loadgame+3+5+2+120+-2+4+1+10+2+0+3+5+4+0+5+0+6+0+7+0+8+0+9+0+10+7",
    b"CMD_setbonus+1+0+",
    b"CMD_justwatching+3+1", b"CMD_didntgetit+2+",
    b"CMD_nomoreguesses+3+1+1+1+1+", b"CMD_full+"))

# --- transcript: relayed chat and action fields separated by 0xFF; a record
# starting with 0x01 is a system line, 0x02 clears, 0x03 sets the text size
def records(*items):
    return T.join(items)


write("transcript", "chat", records(
    b"2+Ann chats: hello :)#12 world|clRed",
    b"3+Bob waves at www.example.com, (http://x.org/a_(b)).|$00FF8000",
    b"4+Cy says: Way To Go!|clblack",
    b"5+Dee chats: first\r\nsecond\nthird\xe2\x80\xa8fourth|notacolour",
    b"6+Eve grins :)#99 :)#a1 :)#27:)#",
    b"\x01" + b"0+Round 3 is starting.",
    b"\x03\x0e",
    b"7+Fay chats: \xd0\x96\xd0\x96 \xe6\xbc\xa2 www.\xe6\xbc\xa2.cn\xe3\x80\x82|clBlue"))
write("transcript", "flood", records(*[
    b"1+Al chats: line %d www.site%d.org :)#1%d|clNavy" % (n, n, n % 10)
    for n in range(40)] + [b"\x02", b"2+Ann chats: again www.again.org|clRed"]))
write("transcript", "odd", records(
    b"no plus", b"11+Beyond seats", b"-1+Negative", b"+Empty", b"10+Zed: |", b"",
    b"9+\xc3\xa9:)#\xc3\xa9\xc3\xa9 <www.x.com>! \xc2\xabwww.y.com\xc2\xbb|$zz"))

# --- grid text: columns, rows, then the cells column by column, CR LF
def grid(cols):
    rows = len(cols[0])
    out = [str(len(cols)), str(rows)] + [c for col in cols for c in col]
    return ("\r\n".join(out) + "\r\n").encode()


tally = [["addtomine", "Ann", "Bob"]] + [[str(rng.randrange(9)) for _ in range(3)]
                                         for _ in range(8)]
write("grid", "tally", grid(tally))
write("grid", "small", grid([["x", "y"], ["1", "2"]]))
write("grid", "short", b"3\r\n2\r\na\r\n\x1ab\r\n")

# --- settings file
write("profile", "settings", (
    "[orbo]\r\nNick=Zed\r\n\r\n[kalvex]\r\nTextsize=10\r\nTop=40\r\nLeft=-20\r\n"
    "Width=800\r\nHeight=600\r\nTextcolor=clNavy\r\nPlaytoscore=5\r\nTimeperturn=120\r\n"
    "Bonus=1\r\nSix=0\r\nTurnsound=1\r\nPlaysounds=true\r\nChatterSounds=false\r\n"
    "Phrase1=\"Way To Go!\"\r\nPhrase2=/me waves\r\n; a comment\r\n").encode())
write("profile", "odd", b"[KALVEX]\nTextcolor=$00ff00ff\nTop=0x10\n[kalvex]\nTop=1\n=x\n[")

# --- codec: first byte picks the mode (0 container, 1 chunk, 2 round trip)
text = grid(tally) * 4
write("codec", "roundtrip", b"\x02" + text)
write("codec", "chunk", b"\x01" + bytes([0x00, 0x00]) + b"abcabcabc" + b"\x01")
