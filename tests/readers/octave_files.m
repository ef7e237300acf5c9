% octave_files.m: Octave reads every file korvex wrote and checks each value against the expected
% doubles: the binary files (binary.cases lists precision and machine format) and the formatted
% text. Then it writes the same values the same way for korvex to read back.
% Usage: octave-cli octave_files.m DIR
args = argv();
dir = args{1};
bad = 0;
function want = expected(dir, name)
  f = fopen(fullfile(dir, [name '.expect']), 'r');
  want = fread(f, Inf, 'double');
  fclose(f);
end
function bad = check(name, got, want)
  bad = ~(numel(got) == numel(want) && isequaln(got, want) && all(signbit(got) == signbit(want)));
  if bad
    printf('%s read as %s, expected %s\n', name, mat2str(got', 17), mat2str(want', 17));
  end
end
cases = fopen(fullfile(dir, 'binary.cases'), 'r');
while ischar(line = fgetl(cases))
  p = strsplit(line, ' ');  % korvex precision, korvex format, Octave precision, Octave format
  want = expected(dir, p{1});
  f = fopen(fullfile(dir, ['k_' p{1} '_' p{2} '.bin']), 'r');
  bad |= check(['k_' p{1} '_' p{2} '.bin as ' p{3} ' ' p{4}], fread(f, Inf, p{3}, 0, p{4}), want);
  fclose(f);
  f = fopen(fullfile(dir, ['o_' p{1} '_' p{2} '.bin']), 'w');
  fwrite(f, want, p{3}, 0, p{4});
  fclose(f);
end
fclose(cases);
want = expected(dir, 'text');
f = fopen(fullfile(dir, 'k_text.txt'), 'r');
bad |= check('k_text.txt', fscanf(f, '%d %g'), want);
fclose(f);
f = fopen(fullfile(dir, 'o_text.txt'), 'w');
fprintf(f, '%d %.17g\n', want);
fclose(f);
exit(bad);
