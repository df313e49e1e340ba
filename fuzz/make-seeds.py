#!/usr/bin/env python3
"""Writes the seed corpus of both fuzz targets: the INFO and pdta parts of real banks with their
sample data cut out, and small crafted banks that reach the corners of the loader.

usage: fuzz/make-seeds.py OUTDIR [BANK.sf2 ...]"""
import os
import struct
import sys


def chunk(cid, data):
    return cid + struct.pack('<I', len(data)) + data + (b'\0' if len(data) % 2 else b'')


def lst(ltype, children):
    return chunk(b'LIST', ltype + b''.join(children))


def riff(children):
    return chunk(b'RIFF', b'sfbk' + b''.join(children))


def name20(text):
    return text.encode('latin-1')[:20].ljust(20, b'\0')


def bank(presets, instruments, samples, info_name='Seed', terminals=True):
    """presets: [(name, preset, bank, [[(oper, amount)...] zones])]; instruments: [(name, zones)];
    samples: [name]. Indices are laid out as the standard wants."""
    phdr, pbag, pgen = b'', b'', b''
    nbag = ngen = 0
    for name, num, bnk, zones in presets:
        phdr += name20(name) + struct.pack('<HHHIII', num, bnk, nbag, 0, 0, 0)
        for zone in zones:
            pbag += struct.pack('<HH', ngen, 0)
            nbag += 1
            for oper, amount in zone:
                pgen += struct.pack('<HH', oper, amount)
                ngen += 1
    if terminals:
        phdr += name20('EOP') + struct.pack('<HHHIII', 0, 0, nbag, 0, 0, 0)
        pbag += struct.pack('<HH', ngen, 0)
        pgen += struct.pack('<HH', 0, 0)
    inst, ibag, igen = b'', b'', b''
    nbag = ngen = 0
    for name, zones in instruments:
        inst += name20(name) + struct.pack('<H', nbag)
        for zone in zones:
            ibag += struct.pack('<HH', ngen, 0)
            nbag += 1
            for oper, amount in zone:
                igen += struct.pack('<HH', oper, amount)
                ngen += 1
    if terminals:
        inst += name20('EOI') + struct.pack('<H', nbag)
        ibag += struct.pack('<HH', ngen, 0)
        igen += struct.pack('<HH', 0, 0)
    shdr = b''
    for name in samples + (['EOS'] if terminals else []):
        shdr += name20(name) + struct.pack('<IIIIIBbHH', 0, 0, 0, 0, 22050, 60, 0, 0, 1)
    info = [chunk(b'ifil', struct.pack('<HH', 2, 1)), chunk(b'isng', b'EMU8000\0')]
    if info_name is not None:
        info.append(chunk(b'INAM', info_name.encode('latin-1') + b'\0'))
    pdta = [chunk(b'phdr', phdr), chunk(b'pbag', pbag), chunk(b'pmod', b'\0' * 10), chunk(b'pgen', pgen),
            chunk(b'inst', inst), chunk(b'ibag', ibag), chunk(b'imod', b'\0' * 10), chunk(b'igen', igen),
            chunk(b'shdr', shdr)]
    return riff([lst(b'INFO', info), lst(b'sdta', [chunk(b'smpl', b'')]), lst(b'pdta', pdta)])


def strip(path):
    """The INFO and pdta lists of a real bank, its sdta list replaced by an empty smpl."""
    data = open(path, 'rb').read()
    out = []
    pos = 12
    while pos + 12 <= len(data):
        size = struct.unpack('<I', data[pos + 4:pos + 8])[0]
        ltype = data[pos + 8:pos + 12]
        if ltype == b'sdta':
            out.append(lst(b'sdta', [chunk(b'smpl', b'')]))
        else:
            out.append(data[pos:pos + 8 + size])
        pos += 8 + size
    return riff(out)


KEY, INST, SAMPLE = 43, 41, 53


def kr(lo, hi):
    return (KEY, lo | hi << 8)


def crafted():
    kit = bank([('Standard', 0, 128, [[kr(35, 60)], [(INST, 0)], [kr(36, 40), (INST, 1)]]),
                ('Piano', 0, 0, [[(INST, 1)]]), ('Piano Wide', 0, 8, [[(INST, 1)]]),
                ('Bank 200', 3, 200, [[(INST, 1)]]), ('Room', 8, 128, [])],
               [('Drums', [[(17, 100)], [kr(36, 36), (SAMPLE, 0)], [kr(36, 36), (SAMPLE, 1)],
                           [kr(30, 50), (SAMPLE, 2)], [kr(120, 130), (SAMPLE, 3)], [kr(60, 50), (SAMPLE, 4)]]),
                ('Tone', [[(SAMPLE, 5)]])],
               ['Kick(L)', 'Kick(R)', 'Snare &<>"\'', 'Hi (R)', '(L)', 'Piano C4'], info_name='Crafted & <Kit>')
    yield 'crafted-kit.sf2', kit
    yield 'no-info.sf2', bank([('A', 1, 0, [])], [], [], info_name=None)
    yield 'eop-only.sf2', bank([], [], [])
    yield 'no-terminals.sf2', bank([('Kit', 0, 128, [[(INST, 0)]])], [('I', [[kr(0, 127), (SAMPLE, 0)]])], ['S'],
                                   terminals=False)
    # Overlapping ranges: every preset zone of many kits points at the same instrument with many zones.
    zones = [[kr(0, 127), (SAMPLE, 0)]] * 64
    yield 'overlap.sf2', bank([('Kit%d' % i, i, 128, [[(INST, 0)]] * 4) for i in range(16)],
                              [('Big', zones)], ['Name'])
    shift_jis = bank([('\x82\xa0\x82\xa2', 0, 128, [[(INST, 0)]])],
                     [('I', [[kr(36, 36), (SAMPLE, 0)], [kr(37, 37), (SAMPLE, 1)]])],
                     ['\x83h\x83\x89\x83\x80', 'ab\x81'], info_name='\x83e\x83X\x83g\x01\x1f')
    yield 'shift-jis.sf2', shift_jis
    yield 'wav.riff', chunk(b'RIFF', b'WAVEfmt ' + struct.pack('<I', 0))
    yield 'truncated.sf2', kit[:len(kit) - 60]


def main():
    outdir = sys.argv[1]
    os.makedirs(outdir, exist_ok=True)
    seeds = list(crafted())
    for path in sys.argv[2:]:
        seeds.append(('debian-' + os.path.basename(path), strip(path)))
    for name, data in seeds:
        with open(os.path.join(outdir, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
