"""Fails when a fenced code block of a tutorial page is not in its part's program word for word:
```cpp blocks in NN-name/main.cpp, ```python blocks in NN-name/dungeon.py; a block may be indented
less than in the program. Usage: quotes.py SOURCE_DIR"""
import pathlib
import re
import sys

PROGRAMS = {"cpp": "main.cpp", "python": "dungeon.py"}
BLOCK = re.compile(r"^```(\w*)\n(.*?)^```", re.M | re.S)


def quoted(block: list[str], lines: list[str]) -> bool:
    """True when the block's lines stand in lines one after the other, each indented alike."""
    for i in range(len(lines) - len(block) + 1):
        indent = lines[i][: len(lines[i]) - len(block[0])]
        if indent.strip() == "" and all(
                lines[i + k].rstrip() == (indent + line).rstrip() for k, line in enumerate(block)):
            return True
    return False


root = pathlib.Path(sys.argv[1])
faults = []
for page in sorted((root / "docs/tutorial").glob("[0-9]*.md")):
    text = page.read_text()
    for match in BLOCK.finditer(text):
        language, block = match.group(1), match.group(2).rstrip("\n").split("\n")
        where = f"{page.relative_to(root)}:{text.count(chr(10), 0, match.start()) + 1}"
        if language not in PROGRAMS:
            faults.append(f"{where}: a block of '{language}', not cpp or python")
            continue
        program = root / "examples/tutorial" / page.stem / PROGRAMS[language]
        if not program.is_file() or not quoted(block, program.read_text().split("\n")):
            faults.append(f"{where}: not found in {program.relative_to(root)}")
print("\n".join(faults) or "every quoted block is in its program")
sys.exit(1 if faults else 0)
