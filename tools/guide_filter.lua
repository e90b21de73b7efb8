-- A pandoc filter for the guides in the release (tools/make_dist.sh):
--  * "{{version}}" becomes the release's version (metadata "version");
--  * for the plain-text readmes (metadata "plain" set): a picture becomes a short mention of the
--    HTML guide, headings get readme-style underlines, and paragraphs and table cells are filled to
--    78 columns here, because pandoc breaks lines only at spaces and Japanese has none. Widths count
--    as Notepad shows a code page 932 text: two columns for every character but ASCII and
--    half-width katakana.
local columns = 78
local version = ""
local plain = false
local html_name = "guide.html"

local function is_wide(code)
  return code >= 0x80 and not (code >= 0xFF61 and code <= 0xFF9F)
end

local function text_width(s)
  local w = 0
  for _, code in utf8.codes(s) do w = w + (is_wide(code) and 2 or 1) end
  return w
end

-- Characters that must not start a line (Japanese line-breaking rules) and that must not end one.
local no_start = "、。，．）」』】〕・ー：；！？ぁぃぅぇぉっゃゅょァィゥェォッャュョ,.)!?:;"
local no_end = "（「『【〔("
local function in_set(set, ch) return ch ~= "" and set:find(ch, 1, true) ~= nil end

-- Units that lines are made of: runs of ASCII non-space characters (words), single spaces and
-- single wide characters.
local function units(s)
  local out, word = {}, ""
  for _, code in utf8.codes(s) do
    local ch = utf8.char(code)
    if code == 32 then
      if word ~= "" then out[#out + 1] = word; word = "" end
      out[#out + 1] = " "
    elseif is_wide(code) then
      if word ~= "" then out[#out + 1] = word; word = "" end
      out[#out + 1] = ch
    else
      word = word .. ch
    end
  end
  if word ~= "" then out[#out + 1] = word end
  return out
end

-- Greedy fill of one text into lines of at most limit columns. A line breaks at a space (which is
-- dropped) or between two units that are not separated by a space when one of them is wide.
local function fill(text, limit)
  local lines, line, width = {}, {}, 0
  local function flush()
    while #line > 0 and line[#line] == " " do table.remove(line) end
    lines[#lines + 1] = table.concat(line)
    line, width = {}, 0
  end
  for _, u in ipairs(units(text)) do
    local w = text_width(u)
    if u == " " and width == 0 then
      -- no leading space on a continued line
    elseif width + w > limit and u ~= " " and width > 0 then
      -- Closing punctuation goes down with the character before it, opening punctuation with
      -- the one after it.
      local carry = {}
      if #line > 1 and line[#line] ~= " " and (in_set(no_start, u) or in_set(no_end, line[#line])) then
        carry[1] = table.remove(line)
      end
      flush()
      for _, c in ipairs(carry) do line[#line + 1] = c; width = width + text_width(c) end
      line[#line + 1] = u
      width = width + w
    else
      line[#line + 1] = u
      width = width + w
    end
  end
  if #line > 0 then flush() end
  return lines
end

local function lines_to_inlines(lines)
  local out = {}
  for i, l in ipairs(lines) do
    if i > 1 then out[#out + 1] = pandoc.LineBreak() end
    out[#out + 1] = pandoc.Str(l)
  end
  return out
end

local fill_blocks

local function pad(text, width) return text .. string.rep(" ", width - text_width(text)) end

-- A table as aligned text: pandoc pads cells by its own idea of character widths, which differs
-- from code page 932's for signs such as arrows, so the readme's tables are laid out here. Columns
-- wider than the page share the room left by the narrow ones and their cells are filled to it.
local function table_text(tbl, limit)
  local rows = {}
  for _, r in ipairs(tbl.head.rows) do rows[#rows + 1] = r end
  local head_rows = #rows
  for _, body in ipairs(tbl.bodies) do
    for _, r in ipairs(body.body) do rows[#rows + 1] = r end
  end
  local n = #tbl.colspecs
  local indent, gap = "  ", "  "
  -- natural: a column's widest cell on one line; least: its widest word, which cannot be broken.
  local cells, natural, least = {}, {}, {}
  for c = 1, n do natural[c], least[c] = 1, 1 end
  for i, r in ipairs(rows) do
    cells[i] = {}
    for c, cell in ipairs(r.cells) do
      cells[i][c] = pandoc.utils.stringify(cell.contents)
      natural[c] = math.max(natural[c], text_width(cells[i][c]))
      for _, u in ipairs(units(cells[i][c])) do least[c] = math.max(least[c], text_width(u)) end
    end
  end
  local available = limit - #indent - #gap * (n - 1)
  local widths, used, total, share = {}, 0, 0, 0
  for c = 1, n do total = total + natural[c] end
  -- Narrow columns keep their width; the wide ones get their widest word and share the rest in
  -- proportion to what they lack.
  for c = 1, n do
    if total <= available or natural[c] <= available // n then widths[c] = natural[c] end
    used = used + (widths[c] or least[c])
    if not widths[c] then share = share + natural[c] - least[c] end
  end
  for c = 1, n do
    if not widths[c] then
      local extra = share > 0 and math.max(0, available - used) * (natural[c] - least[c]) // share or 0
      widths[c] = least[c] + extra
    end
  end
  local filled, wraps = {}, false
  for i = 1, #rows do
    filled[i] = {}
    for c = 1, n do
      filled[i][c] = fill(cells[i][c] or "", widths[c])
      wraps = wraps or #filled[i][c] > 1
    end
  end
  local out = {}
  local function emit(i)
    local height = 1
    for c = 1, n do height = math.max(height, #filled[i][c]) end
    for k = 1, height do
      local parts = {}
      for c = 1, n do parts[c] = pad(filled[i][c][k] or "", c < n and widths[c] or 0) end
      out[#out + 1] = (indent .. table.concat(parts, gap)):gsub("%s+$", "")
    end
  end
  for i = 1, #rows do
    emit(i)
    if i == head_rows then
      local rule = {}
      for c = 1, n do rule[c] = string.rep("-", widths[c]) end
      out[#out + 1] = indent .. table.concat(rule, gap)
    elseif wraps and i < #rows and i > head_rows then
      out[#out + 1] = ""
    end
  end
  return pandoc.RawBlock("plain", table.concat(out, "\n"))
end

fill_blocks = function(blocks, limit)
  local out = {}
  for _, b in ipairs(blocks) do
    if b.t == "Para" or b.t == "Plain" then
      local lines = fill(pandoc.utils.stringify(b.content), limit)
      b.content = lines_to_inlines(lines)
    elseif b.t == "BulletList" or b.t == "OrderedList" then
      for i, item in ipairs(b.content) do b.content[i] = fill_blocks(item, limit - 4) end
    elseif b.t == "BlockQuote" then
      b.content = fill_blocks(b.content, limit - 2)
    elseif b.t == "Table" then
      b = table_text(b, limit)
    end
    out[#out + 1] = b
  end
  return out
end

local heading_marks = {"=", "-"}

local function heading(h)
  local text = pandoc.utils.stringify(h.content)
  local mark = heading_marks[h.level]
  if mark then
    return pandoc.Para({pandoc.Str(text), pandoc.LineBreak(), pandoc.Str(string.rep(mark, text_width(text)))})
  end
  return pandoc.Para({pandoc.Str("◇ " .. text)})
end

local function with_version(s) return (s:gsub("{{version}}", version)) end

return {
  {
    Meta = function(meta)
      version = meta.version and pandoc.utils.stringify(meta.version) or ""
      plain = meta.plain ~= nil
      if meta.html then html_name = pandoc.utils.stringify(meta.html) end
    end,
  },
  {
    Str = function(s) s.text = with_version(s.text); return s end,
    Code = function(c) c.text = with_version(c.text); return c end,
    CodeBlock = function(c) c.text = with_version(c.text); return c end,
    Image = function(img)
      if not plain then return nil end
      return pandoc.Str("(" .. pandoc.utils.stringify(img.caption) .. ": " .. html_name .. ")")
    end,
  },
  {
    Pandoc = function(doc)
      if not plain then return nil end
      local blocks = fill_blocks(doc.blocks, columns)
      for i, b in ipairs(blocks) do
        if b.t == "Header" then blocks[i] = heading(b) end
      end
      doc.blocks = blocks
      return doc
    end,
  },
}
